#include "driver/fix_mode.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "driver/deck_fixes.h"
#include "driver/run_checks.h"
#include "driver/unified_diff.h"
#include "driver/whole_file.h"
#include "engine/face.h"
#include "records/files.h"

namespace barlist::driver {
namespace {

// Enough for fixes that uncover others; a deck that keeps changing stops here.
constexpr int kRounds = 8;

// What a check of the deck's bytes finds: the diagnostics as standard error
// would show them, their counts, and the fixes of the chosen kind.
struct Checked {
  std::string diagnostics;
  std::size_t errors = 0;
  std::size_t warnings = 0;
  std::vector<events::Fix> fixes;
};

std::string read_all(int fd, const std::string& name) {
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw Refusal{name + ": cannot read the deck: " + records::open_failure_reason(errno)};
    if (n == 0) return bytes;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
}

Checked check(const Options& options, const std::string& bytes, DiagnosticStyle style) {
  const engine::CheckResult result = engine::check(bytes, {.deck = options.deck, .check_only = true});
  Checked checked;
  for (const diagnostics::Diagnostic& diagnostic : result.diagnostics) {
    checked.diagnostics += terminal_text(options.deck, diagnostic, style);
    if (diagnostic.severity == diagnostics::Severity::Warning) {
      ++checked.warnings;
    } else {
      ++checked.errors;
    }
    for (const events::Fix& fix : diagnostic.fixes) {
      if (fix.safe || options.unsafe_fixes) checked.fixes.push_back(fix);
    }
  }
  if (!result.summary.empty()) checked.diagnostics += options.deck + ": " + result.summary + '\n';
  return checked;
}

// The deck on disk is still the file that was read, with the same bytes.
bool still_as_read(const std::string& path, const struct stat& read, const std::string& bytes) {
  struct stat now {};
  if (::stat(path.c_str(), &now) != 0 || now.st_dev != read.st_dev || now.st_ino != read.st_ino ||
      now.st_size != read.st_size || now.st_mtim.tv_sec != read.st_mtim.tv_sec ||
      now.st_mtim.tv_nsec != read.st_mtim.tv_nsec) {
    return false;
  }
  records::OpenResult opened = records::open_path(path, records::OpenMode::Existing);
  return opened.fd && read_all(opened.fd.get(), path) == bytes;
}

std::string counted(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

int run_fix_mode(const Options& options, DiagnosticStyle style, std::ostream& err,
                 const BetweenReadAndWrite& between_read_and_write) {
  const records::FileDescriptor fd = open_deck(options.deck);
  struct stat as_read {};
  if (::fstat(fd.get(), &as_read) != 0) {
    throw Refusal{options.deck + ": cannot read the deck: " + records::open_failure_reason(errno)};
  }
  if (!options.diff && !S_ISREG(as_read.st_mode)) throw Refusal{options.deck + ": cannot fix it: not a regular file"};
  const std::string original = read_all(fd.get(), options.deck);

  std::string deck = original;
  Checked checked = check(options, deck, style);
  std::size_t fixed = 0;
  for (int round = 0; round < kRounds; ++round) {
    const std::size_t applied = apply_fixes(deck, std::move(checked.fixes));
    if (applied == 0) break;
    fixed += applied;
    checked = check(options, deck, style);
  }

  if (options.diff) {
    const std::string diff = unified_diff(options.deck, original, deck);
    if (const int error = write_whole_file("-", [&](std::ostream& to) { to << diff; }); error != 0) {
      throw Refusal{"standard output: cannot write the diff: " + write_failure_reason(error)};
    }
  } else if (deck != original) {
    if (between_read_and_write) between_read_and_write();
    const int error = write_whole_file(
        options.deck, [&](std::ostream& to) { to << deck; },
        [&] { return still_as_read(options.deck, as_read, original); });
    if (error == kChangedMeanwhile) {
      throw Refusal{options.deck + ": not fixed: the deck changed on disk after barlist read it; it is left as it is"};
    }
    if (error != 0) throw Refusal{options.deck + ": cannot write the fixed deck: " + write_failure_reason(error)};
  }

  if (!options.quiet) {
    const std::size_t remaining = checked.errors + checked.warnings;
    err << checked.diagnostics << options.deck << ": "
        << counted(fixed, options.diff ? "fix shown" : "fixed", options.diff ? "fixes shown" : "fixed") << ", "
        << remaining << " remaining\n";
  }
  const bool failed = checked.errors > 0 || (options.strict && checked.warnings > 0);
  return failed ? 2 : 0;
}

}  // namespace barlist::driver
