// The engine's face, for the page, an editor's language server or any
// program that embeds the engine: a deck's bytes in, the run's findings out
// as data. Nothing is read from or written to a file, nothing printed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "diagnostics/diagnostic.h"
#include "engine/weights_view.h"
#include "events/run_listener.h"
#include "exports/run_record.h"

namespace barlist::engine {

struct CheckOptions {
  std::string deck = "deck";               // the deck's name, as the JSON record gives it
  std::optional<std::int64_t> epoch = {};  // the clock fixed at these seconds since 1970 (UTC); else the machine's
  bool check_only = false;                 // as --check: no reports, a bad number told and read past
  bool strict = false;                     // warnings count as errors for the status
  bool reports = false;                    // the bytes of the quantities file and the bar table (not under a check)
  bool json = false;                       // the bytes of the JSON record
  bool csv = false;                        // the bytes of the CSV schedule
  bool weights = false;                    // each problem's weights as a person reads them
};

// A bar-level card that was worked out: its length and weight.
struct Hint {
  events::Line line;
  float length_mm;
  float weight_kg;
};

struct CheckResult {
  int status = 0;  // what the command line would exit with
  // In deck order; a fatal stop is the last, with severity Fatal.
  std::vector<diagnostics::Diagnostic> diagnostics;
  std::string summary;  // "1 error, 2 warnings; no bar table for problem A102"; empty when nothing was found
  std::vector<Hint> hints;
  // Only those asked for; the reports as far as they got when the run
  // stopped, the exports only for a run that ended.
  std::optional<std::string> quantities, bar_table, json, csv;
  std::optional<std::vector<ProblemWeights>> weights;  // when asked, for a run that ended
};

CheckResult check(std::string_view deck, const CheckOptions& options);

// The deck worked out as a run would, warnings off and nothing written, into
// the record that two revisions are compared by. `name` is the deck's name in
// what a fatal stop tells, which is thrown as records::FatalError. A deck
// without a card has no problem.
exports::RunRecord work_out(std::string_view deck, const std::string& name = "deck");

}  // namespace barlist::engine
