#include "engine/deck_run.h"

#include <span>

#include "barlist_version.h"
#include "deck/deck_reader.h"
#include "events/listeners.h"
#include "records/files.h"

namespace barlist::engine {
namespace {

std::string text_of(std::span<const char> characters) { return {characters.data(), characters.size()}; }

}  // namespace

const char* version() { return BARLIST_VERSION; }

DeckRun::DeckRun(RunSettings settings, records::OutputChannel* quantities, records::OutputChannel* bar_table)
    : settings_(std::move(settings)) {
  if (quantities != nullptr) quantities_.emplace(*quantities, settings_.clock);
  if (bar_table != nullptr) bar_table_.emplace(*bar_table);
  if (settings_.json) {
    const reports::LocalTime now = settings_.clock();
    json_.emplace(version(), settings_.deck, text_of(reports::header_date(now)), text_of(reports::header_time(now)),
                  reports::iso_8601(now, settings_.utc_offset));
  }
  if (settings_.csv) csv_.emplace();
}

void DeckRun::run(records::InputChannel& deck) {
  // A report that cannot take an event stops the run before the findings
  // hear of it, as they would be written after it.
  events::Listeners listeners;
  if (quantities_) listeners.add(*quantities_);
  if (bar_table_) listeners.add(*bar_table_);
  listeners.add(summary_);
  for (const events::Taker& finding : findings_) listeners.add(finding);
  if (json_) listeners.add(*json_);
  if (csv_) listeners.add(*csv_);
  deck::run_deck(deck, listeners, {.warnings = true, .check = settings_.check});
}

int DeckRun::status() const {
  const bool failed = summary_.errors() > 0 || (settings_.strict && summary_.warnings() > 0);
  return failed ? kDeckHasErrors : kCompleted;
}

diagnostics::Diagnostic fatal_diagnostic(const records::FatalError& error) {
  using diagnostics::Severity;
  if (error.line() == 0) return {Severity::Fatal, 0, 0, "fatal error", fatal_text(error), {}};
  diagnostics::Diagnostic stop{
      Severity::Fatal, error.line(), error.column(), "fatal error", std::string(error.condition()), error.record()};
  if (!error.detail().empty()) stop.message += ": " + error.detail();
  if (!error.consequence().empty()) {
    stop.notes.push_back({Severity::Note, error.line(), error.column(), "note", error.consequence(), {}});
  }
  return stop;
}

std::string fatal_text(const records::FatalError& error) {
  std::string text = error.path() + ": ";
  text += error.condition();
  if (error.system_error() != 0) text += ": " + records::open_failure_reason(error.system_error());
  return text;
}

}  // namespace barlist::engine
