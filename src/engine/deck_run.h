// The one run of a deck that every caller makes, the command line and the
// engine's face alike: the listeners for the reports, the findings and the
// exports, assembled in one order and told by the deck reader. What the
// caller does with the products (files or bytes in memory) is its own.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "diagnostics/diagnostic.h"
#include "engine/units.h"
#include "events/listeners.h"
#include "exports/csv_schedule.h"
#include "exports/json_record.h"
#include "records/fatal.h"
#include "records/input_channel.h"
#include "records/output_channel.h"
#include "reports/bar_table_file.h"
#include "reports/clock.h"
#include "reports/quantities_file.h"

namespace barlist::engine {

// The exit statuses of a run.
inline constexpr int kCompleted = 0;
inline constexpr int kFatal = 1;
inline constexpr int kDeckHasErrors = 2;

struct RunSettings {
  std::string deck;  // the deck's name as the user gave it
  reports::Clock clock;
  long utc_offset = 0;  // of the clock's time east of UTC, for the JSON record's start
  bool check = false;   // read and check only: a bad number is told and read past
  bool strict = false;  // warnings count as errors for the status
  bool json = false;    // keep the run for the JSON record
  bool csv = false;     // keep the run for the CSV schedule
};

// The version the exports name.
const char* version();

class DeckRun {
 public:
  // A report channel that is null is not written.
  DeckRun(RunSettings settings, records::OutputChannel* quantities, records::OutputChannel* bar_table);

  // A listener told of every event after the reports and the run's summary,
  // before the exports (the terminal's diagnostics, the face's findings).
  template <typename Listener>
  void add(Listener& listener) {
    findings_.push_back(events::taker(listener));
  }

  // Reads the whole deck; a fatal condition is thrown as it arises.
  void run(records::InputChannel& deck);

  const diagnostics::RunSummary& summary() const { return summary_; }
  // The run stopped at `line` on a fatal condition: the summary says so.
  void stopped(events::Line line) { summary_.run_stopped(line); }
  // What the command line exits with once the run is over.
  int status() const;
  // The exports asked for, complete once run() has returned.
  const exports::JsonRecord* json() const { return json_ ? &*json_ : nullptr; }
  const exports::CsvSchedule* csv() const { return csv_ ? &*csv_ : nullptr; }

 private:
  RunSettings settings_;
  std::optional<reports::QuantitiesFile> quantities_;
  std::optional<reports::BarTableFile> bar_table_;
  diagnostics::RunSummary summary_;
  std::vector<events::Taker> findings_;
  std::optional<exports::JsonRecord> json_;
  std::optional<exports::CsvSchedule> csv_;
};

// A fatal stop as a diagnostic: at the card of the deck where it arose,
// "fatal error: input conversion error: ..." with a note of what the stop
// leaves out; about a file, "fatal error: FILE: write failure: No space...".
diagnostics::Diagnostic fatal_diagnostic(const records::FatalError& error);

// "pier.qty: write failure: No space left on device", naming the file as given.
std::string fatal_text(const records::FatalError& error);

}  // namespace barlist::engine
