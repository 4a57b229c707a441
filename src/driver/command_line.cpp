#include "driver/command_line.h"

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

#include "deck/deck_reader.h"
#include "driver/channel_units.h"
#include "driver/diagnostics.h"
#include "driver/options.h"
#include "driver/run_files.h"
#include "exports/csv_schedule.h"
#include "exports/json_record.h"
#include "records/fatal.h"
#include "records/files.h"
#include "reports/bar_table_file.h"
#include "reports/quantities_file.h"

namespace barlist::driver {
namespace {

using records::OpenMode;

constexpr int kCompleted = 0;
constexpr int kFatal = 1;
constexpr int kDeckHasErrors = 2;

// A failure of the command-line run that is reported as it stands.
struct Refusal {
  std::string message;  // "FILE: why"
};

bool exists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

// The clock the report headers read: the machine's local time, or the UTC
// time of SOURCE_DATE_EPOCH when it is set, so that two runs compare byte
// for byte.
reports::Clock header_clock() {
  const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
  if (epoch == nullptr) return reports::local_time_now;
  char* end = nullptr;
  errno = 0;
  const long long seconds = std::strtoll(epoch, &end, 10);
  // Up to the last second of the year 9999, the last a header can show.
  if (*epoch == '\0' || *end != '\0' || errno != 0 || seconds < 0 || seconds > 253402300799LL) {
    throw Refusal{"SOURCE_DATE_EPOCH: not a number of seconds since 1970"};
  }
  const reports::LocalTime time = reports::utc_time(seconds);
  return [time] { return time; };
}

records::FileDescriptor open_or_refuse(const std::string& path, OpenMode mode, const char* what) {
  records::OpenResult opened = records::open_path(path, mode);
  if (!opened.fd) throw Refusal{path + ": cannot " + what + ": " + records::open_failure_reason(opened.error)};
  return std::move(opened.fd);
}

void open_files(const Options& options, RunFiles& files) {
  // Without --force an existing report is refused before anything is opened.
  if (!options.force) {
    for (const std::string* report : {&options.quantities, &options.bar_table}) {
      if (exists(*report)) throw Refusal{*report + ": file exists (use --force to overwrite it)"};
    }
  }
  if (options.json && options.csv && *options.json == *options.csv) {
    throw Refusal{(*options.csv == "-" ? std::string("standard output") : *options.csv) +
                  ": the JSON record and the CSV schedule cannot share it"};
  }
  if (options.quantities == options.bar_table) {
    throw Refusal{options.bar_table + ": the bar-table file cannot be the quantities file"};
  }
  records::FileDescriptor deck = open_or_refuse(options.deck, OpenMode::Existing, "open the deck");
  // An existing report is emptied when it is opened: make sure it is neither
  // the deck nor the other report first.
  if (records::same_file(options.quantities, deck.get()) || records::same_file(options.bar_table, deck.get())) {
    throw Refusal{options.deck + ": a report file cannot be the deck"};
  }
  const int deck_fd = deck.get();
  files.deck.emplace(kDeckUnit, options.deck, std::move(deck));

  const OpenMode mode = options.force ? OpenMode::Replace : OpenMode::New;
  files.quantities.emplace(kQuantitiesUnit, options.quantities,
                           open_or_refuse(options.quantities, mode, "create the quantities file"),
                           records::OutputOptions{.discipline = records::LineDiscipline::Asa});
  if (records::same_file(options.bar_table, files.quantities->fd()) || records::same_file(options.bar_table, deck_fd)) {
    throw Refusal{options.bar_table + ": the bar-table file cannot be the quantities file"};
  }
  files.bar_table.emplace(kBarTableUnit, options.bar_table,
                          open_or_refuse(options.bar_table, mode, "create the bar-table file"),
                          records::OutputOptions{.discipline = records::LineDiscipline::Plain});

  // An export is written over its file after the run: never over the deck
  // or a report.
  for (const std::optional<std::string>& path : {options.json, options.csv}) {
    if (!path || *path == "-") continue;
    for (const int fd : {deck_fd, files.quantities->fd(), files.bar_table->fd()}) {
      if (records::same_file(*path, fd)) throw Refusal{*path + ": an export cannot be the deck or a report file"};
    }
  }
}

// Writes an export after the run: to standard output for "-"; otherwise to a
// file of its own beside the named one, renamed over it once complete, so a
// failed write leaves neither a half-written export nor a changed file. A
// name that is not a regular file (a device, a pipe) is written directly.
template <typename Export>
void write_export(const Export& document, const std::string& path, const char* what) {
  const auto failure = [&](int error) {
    return Refusal{path + ": cannot write the " + what + ": " + records::open_failure_reason(error)};
  };
  if (path == "-") {
    document.write(std::cout);
    std::cout.flush();
    if (!std::cout) throw Refusal{std::string("standard output: cannot write the ") + what};
    return;
  }
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
    std::ofstream out(path, std::ios::binary);
    if (out) document.write(out);
    out.close();
    if (!out) throw failure(errno != 0 ? errno : EIO);
    return;
  }
  const std::string partial = path + "." + std::to_string(::getpid()) + ".partial";
  errno = 0;
  std::ofstream out(partial, std::ios::binary | std::ios::trunc);
  if (out) document.write(out);
  out.close();
  if (!out || std::rename(partial.c_str(), path.c_str()) != 0) {
    const int error = errno != 0 ? errno : EIO;
    std::remove(partial.c_str());
    throw failure(error);
  }
}

std::string header_date_text(const reports::LocalTime& time) {
  const auto date = reports::header_date(time);
  return {date.data(), date.size()};
}

std::string header_time_text(const reports::LocalTime& time) {
  const auto clock = reports::header_time(time);
  return {clock.data(), clock.size()};
}

int run_files(const Options& options, RunFiles& files) {
  const reports::Clock clock = header_clock();
  open_files(options, files);

  reports::QuantitiesFile quantities(*files.quantities, clock);
  reports::BarTableFile bar_table(*files.bar_table);
  Diagnostics diagnostics(options.deck, std::cerr, options.quiet);
  events::Listeners listeners;
  listeners.add(quantities);
  listeners.add(bar_table);
  listeners.add(diagnostics);
  std::optional<exports::JsonRecord> json;
  std::optional<exports::CsvSchedule> csv;
  if (options.json) {
    const reports::LocalTime now = clock();
    json.emplace(BARLIST_VERSION, options.deck, header_date_text(now), header_time_text(now));
    listeners.add(*json);
  }
  if (options.csv) {
    csv.emplace();
    listeners.add(*csv);
  }
  deck::run_deck(*files.deck, listeners, {.warnings = true});
  files.close();
  if (json) write_export(*json, *options.json, "JSON record");
  if (csv) write_export(*csv, *options.csv, "CSV schedule");

  const bool failed = diagnostics.errors() > 0 || (options.strict && diagnostics.warnings() > 0);
  return failed ? kDeckHasErrors : kCompleted;
}

// "barlist: pier.deck:12: input conversion error", naming the file as given.
std::string fatal_report(const records::FatalError& error) {
  std::string report = error.path();
  if (error.line() != 0) report += ":" + std::to_string(error.line());
  report += ": ";
  report += error.condition();
  if (error.system_error() != 0) report += ": " + records::open_failure_reason(error.system_error());
  return report;
}

}  // namespace

int run_command_line(int argc, char** argv) {
  const auto parsed = parse_options(argc, argv, std::cout, std::cerr);
  if (const int* status = std::get_if<int>(&parsed)) return *status;
  const Options& options = std::get<Options>(parsed);

  RunFiles files;
  std::string report;
  try {
    return run_files(options, files);
  } catch (const Refusal& refusal) {
    report = refusal.message;
  } catch (const records::FatalError& error) {
    report = fatal_report(error);
  } catch (const std::exception& error) {
    report = std::string("internal error: ") + error.what();
  } catch (...) {
    report = "internal error";
  }
  files.close_quietly();
  std::cerr << "barlist: " << report << std::endl;
  return kFatal;
}

}  // namespace barlist::driver
