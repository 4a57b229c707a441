#include "driver/command_line.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "driver/diagnostics.h"
#include "driver/fix_mode.h"
#include "driver/options.h"
#include "driver/run_checks.h"
#include "driver/run_files.h"
#include "driver/whole_file.h"
#include "engine/deck_run.h"
#include "records/fatal.h"
#include "records/files.h"

namespace barlist::driver {
namespace {

using records::OpenMode;

using engine::kBarTableUnit;
using engine::kQuantitiesUnit;

// The two reports, opened only once every check has passed. Each is created
// or opened as it is; existing contents are cut only when both are open, so
// a report that cannot be opened leaves the other as it was, and a report
// created here is removed again.
void open_reports(const Options& options, RunFiles& files) {
  struct Opened {
    records::FileDescriptor fd;
    bool created = false;
  };
  const auto open_report = [&](const std::string& path, const char* what) {
    records::OpenResult opened = records::open_path(path, OpenMode::New);
    if (opened.fd) return Opened{std::move(opened.fd), true};
    if (opened.error == EEXIST && options.force) opened = records::open_path(path, OpenMode::ExistingForWriting);
    // A pipe is opened without waiting: nobody reading it is said plainly.
    if (!opened.fd && opened.error == ENXIO)
      throw Refusal{path + ": cannot " + what + ": " + write_failure_reason(kNoReader)};
    if (!opened.fd) throw Refusal{path + ": cannot " + what + ": " + records::open_failure_reason(opened.error)};
    return Opened{std::move(opened.fd), false};
  };
  Opened quantities = open_report(options.quantities, "create the quantities file");
  Opened bar_table;
  try {
    bar_table = open_report(options.bar_table, "create the bar-table file");
  } catch (...) {
    if (quantities.created) ::unlink(options.quantities.c_str());
    throw;
  }
  for (const auto& [report, path] : {std::pair{&quantities, &options.quantities}, {&bar_table, &options.bar_table}}) {
    if (!report->created && ::ftruncate(report->fd.get(), 0) != 0 && errno != EINVAL) {
      throw Refusal{*path + ": cannot empty it: " + records::open_failure_reason(errno)};
    }
  }
  files.quantities.emplace(kQuantitiesUnit, options.quantities, std::move(quantities.fd),
                           records::OutputOptions{.discipline = records::LineDiscipline::Asa});
  files.bar_table.emplace(kBarTableUnit, options.bar_table, std::move(bar_table.fd),
                          records::OutputOptions{.discipline = records::LineDiscipline::Plain});
}

template <typename Export>
void write_export(const Export& document, const std::string& path, const char* what) {
  const int error = write_whole_file(path, [&](std::ostream& out) { document.write(out); });
  if (error != 0) {
    throw Refusal{(path == "-" ? std::string("standard output") : path) + ": cannot write the " + what + ": " +
                  write_failure_reason(error)};
  }
}

DiagnosticStyle diagnostic_style(const Options& options) {
  const char* no_color = std::getenv("NO_COLOR");
  const bool terminal = ::isatty(STDERR_FILENO) == 1 && (no_color == nullptr || *no_color == '\0');
  return {.quiet = options.quiet,
          .caret = options.caret,
          .color = options.color == Color::Always || (options.color == Color::Auto && terminal)};
}

// How far a run got, for what its fatal report says.
struct Progress {
  bool started = false;    // the reports are open: the run reads the deck
  bool exporting = false;  // the run is over: the exports are being written
};

int run_files(const Options& options, RunFiles& files, Progress& progress) {
  reports::Clock clock = header_clock();
  records::FileDescriptor deck = open_deck(options.deck);
  check_outputs(options, deck.get());
  files.deck.emplace(engine::kDeckUnit, options.deck, std::move(deck));
  if (!options.check) open_reports(options, files);
  progress.started = true;

  // A clock fixed by SOURCE_DATE_EPOCH shows UTC.
  const long offset = std::getenv("SOURCE_DATE_EPOCH") != nullptr ? 0 : reports::local_utc_offset();
  // A check writes no report: the two report files are not among the listeners.
  engine::DeckRun run({.deck = options.deck,
                       .clock = std::move(clock),
                       .utc_offset = offset,
                       .check = options.check,
                       .strict = options.strict,
                       .json = options.json.has_value(),
                       .csv = options.csv.has_value()},
                      files.quantities ? &*files.quantities : nullptr, files.bar_table ? &*files.bar_table : nullptr);
  Diagnostics diagnostics(options.deck, std::cerr, diagnostic_style(options), run.summary());
  run.add(diagnostics);
  run.run(*files.deck);
  files.close();
  progress.exporting = true;
  if (run.json() != nullptr) write_export(*run.json(), *options.json, "JSON record");
  if (run.csv() != nullptr) write_export(*run.csv(), *options.csv, "CSV schedule");
  return run.status();
}

// "barlist: TEXT" as a line of standard error.
std::string said(const std::string& text) { return "barlist: " + text + "\n"; }

}  // namespace

int run_command_line(int argc, char** argv) {
  RunFiles files;
  Progress progress;
  bool exports = false;
  DiagnosticStyle style;
  std::string report;  // all that standard error shows of the failure
  try {
    std::ostringstream help;
    std::ostringstream usage;
    const auto parsed = parse_options(argc, argv, help, usage);
    std::cout << help.str() << std::flush;
    std::cerr << usage.str() << std::flush;
    if (const int* status = std::get_if<int>(&parsed)) return *status;
    const Options& options = std::get<Options>(parsed);
    exports = options.json || options.csv;
    style = diagnostic_style(options);
    if (options.fix || options.diff) return run_fix_mode(options, style, std::cerr);
    return run_files(options, files, progress);
  } catch (const Refusal& refusal) {
    report = said(refusal.message);
  } catch (const records::FatalError& error) {
    // At a card of the deck, in the form of a deck error: the card, a caret
    // and a note of what the stop leaves out.
    report = error.line() != 0 ? terminal_text(error.path(), engine::fatal_diagnostic(error), style)
                               : said(engine::fatal_text(error));
  } catch (const std::exception& error) {
    report = said(std::string("internal error: ") + error.what());
  } catch (...) {
    report = said("internal error");
  }
  files.close_quietly();
  // An export of an earlier run may still stand under the same name.
  if (progress.started && exports && !progress.exporting) report += said("no export was written");
  // One write, so that the report is never interleaved with other output.
  [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, report.data(), report.size());
  return engine::kFatal;
}

}  // namespace barlist::driver
