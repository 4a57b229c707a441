#include "driver/compare_command.h"

#include <sys/stat.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <variant>

#include "barlist_version.h"
#include "compare/output.h"
#include "driver/whole_file.h"
#include "engine/face.h"
#include "records/fatal.h"
#include "records/files.h"

namespace barlist::driver {
namespace {

// As diff and cmp give it, which scripts that compare expect.
constexpr int kSame = 0;
constexpr int kDiffer = 1;
constexpr int kTrouble = 2;

constexpr const char* kDescription =
    "barlist compare works out both decks in memory, writes no report, and\n"
    "tells what changed in the steel from OLD to NEW: per problem its total\n"
    "weight and cost, per unit its figures, the bars, lump weights and deck\n"
    "errors added, removed and changed.";

constexpr const char* kFooter =
    "Exit status (as diff's, unlike a run's): 0 the decks do not differ; 1 they\n"
    "differ; 2 trouble (a usage error, a deck that cannot be read, a fatal stop).\n"
    "NO_COLOR, when set, turns colour off.";

struct CompareOptions {
  std::string before, after;
  std::optional<std::string> json;  // "-" for standard output
  bool quiet = false;
  bool color = false;
};

// A failure that ends the comparison: said as "barlist: TEXT".
struct Trouble {
  std::string text;
};

std::variant<CompareOptions, int> parse(int argc, char** argv) {
  CompareOptions options;
  std::string json, color = "auto";
  CLI::App app(kDescription, "barlist compare");
  app.footer(kFooter);
  app.get_formatter()->column_width(24);
  app.add_option("OLD", options.before, "The earlier revision of the deck")->required()->type_name("");
  app.add_option("NEW", options.after, "The later revision")->required()->type_name("");
  auto* json_option = app.add_option("--json", json, "Write the comparison as JSON to FILE (-: stdout)");
  json_option->type_name("FILE");
  app.add_flag("-q,--quiet", options.quiet, "Print nothing; only the status tells");
  auto* color_option = app.add_option("--color", color, "Colour: always (alone), auto (a terminal), never");
  color_option->type_name("[=WHEN]")->expected(0, 1);
  try {
    app.parse(argc, argv);
    if (color_option->count() > 0 && (color_option->results().empty() || color.empty())) color = "always";
    if (color != "auto" && color != "always" && color != "never") {
      throw CLI::ValidationError("--color", "WHEN is auto, always or never, not '" + color + "'");
    }
  } catch (const CLI::CallForHelp&) {
    std::cout << app.help() << std::flush;
    return kSame;
  } catch (const CLI::ParseError& error) {
    std::cerr << "barlist: " << error.what() << "\nTry 'barlist compare --help' for more information.\n";
    return kTrouble;
  }
  if (json_option->count() > 0) options.json = json;
  const char* no_color = std::getenv("NO_COLOR");
  const bool terminal = ::isatty(STDOUT_FILENO) == 1 && (no_color == nullptr || *no_color == '\0');
  options.color = color == "always" || (color == "auto" && terminal);
  return options;
}

struct DeckRun {
  exports::RunRecord record;
  bool empty = false;
};

// The deck's bytes, read whole, worked out by the engine with nothing written.
void work_out(const std::string& path, DeckRun& run) {
  records::OpenResult opened = records::open_path(path, records::OpenMode::Existing);
  if (!opened.fd) throw Trouble{path + ": cannot open the deck: " + records::open_failure_reason(opened.error)};
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(opened.fd.get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) throw Trouble{path + ": cannot read the deck: " + records::open_failure_reason(errno)};
    if (got == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  run.empty = bytes.empty();  // no card: no problem to compare
  run.record = engine::work_out(bytes, path);
}

// "pier.deck:12:20: fatal error: input conversion error: ..." for a stop at a card.
std::string fatal_text(const records::FatalError& error) {
  std::string text = error.path();
  if (error.line() != 0) text += ':' + std::to_string(error.line());
  if (error.line() != 0 && error.column() != 0) text += ':' + std::to_string(error.column());
  text += ": fatal error: " + std::string(error.condition());
  if (!error.detail().empty()) text += ": " + error.detail();
  if (error.system_error() != 0) text += ": " + records::open_failure_reason(error.system_error());
  return text;
}

void write(const std::string& path, const FileWriter& writer, const char* what) {
  const int error = write_whole_file(path, writer);
  if (error != 0) {
    throw Trouble{(path == "-" ? std::string("standard output") : path) + ": cannot write the " + what + ": " +
                  write_failure_reason(error)};
  }
}

// The two decks are independent: each is worked out on a core of its own
// where there are threads. A failure of the old deck is told first.
void work_out_both(const CompareOptions& options, DeckRun& before, DeckRun& after) {
#if defined(__EMSCRIPTEN__)
  work_out(options.before, before);
  work_out(options.after, after);
#else
  std::exception_ptr after_failure;
  std::thread second([&] {
    try {
      work_out(options.after, after);
    } catch (...) {
      after_failure = std::current_exception();
    }
  });
  try {
    work_out(options.before, before);
  } catch (...) {
    second.join();
    throw;
  }
  second.join();
  if (after_failure) std::rethrow_exception(after_failure);
#endif
}

// The document written over a deck would lose the deck: refused before any reading.
void check_json_target(const CompareOptions& options) {
  struct stat target {};
  if (!options.json || *options.json == "-" || ::stat(options.json->c_str(), &target) != 0) return;
  for (const std::string* deck : {&options.before, &options.after}) {
    struct stat info {};
    if (::stat(deck->c_str(), &info) == 0 && info.st_dev == target.st_dev && info.st_ino == target.st_ino) {
      throw Trouble{*options.json + ": the comparison cannot be written over the deck " + *deck};
    }
  }
}

int compare_decks(const CompareOptions& options) {
  check_json_target(options);
  DeckRun before, after;
  work_out_both(options, before, after);
  const compare::Comparison comparison = compare::compare(before.record, after.record);
  const compare::Decks decks{options.before, options.after, before.empty, after.empty};
  if (options.json) {
    const auto document = [&](std::ostream& out) { compare::write_json(out, comparison, decks, BARLIST_VERSION); };
    write(*options.json, document, "comparison");
  }
  if (!options.quiet && options.json != "-") {
    std::ostringstream text;
    compare::write_text(text, comparison, decks, options.color);
    const std::string shown = text.str();
    const auto print = [&](std::ostream& out) { out << shown; };
    if (!shown.empty()) write("-", print, "comparison");
  }
  return comparison.differs ? kDiffer : kSame;
}

}  // namespace

int run_compare(int argc, char** argv) {
  std::string report;
  try {
    const auto parsed = parse(argc, argv);
    if (const int* status = std::get_if<int>(&parsed)) return *status;
    return compare_decks(std::get<CompareOptions>(parsed));
  } catch (const Trouble& trouble) {
    report = trouble.text;
  } catch (const records::FatalError& error) {
    report = fatal_text(error);
  } catch (const std::exception& error) {
    report = std::string("internal error: ") + error.what();
  }
  report = "barlist: " + report + "\n";
  [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, report.data(), report.size());
  return kTrouble;
}

}  // namespace barlist::driver
