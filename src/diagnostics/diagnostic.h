// The findings of a run as a person reads them, built once and shown by
// every face: the terminal (FILE:LINE:COLUMN: KIND: MESSAGE, the card and a
// caret, then the notes), the JSON record and the workbench page.
#pragma once

#include <string>
#include <vector>

#include "events/run_listener.h"

namespace barlist::diagnostics {

enum class Severity { Error, Warning, Note, Fatal };

struct Diagnostic {
  Severity severity;
  events::Line line;    // 0 when about the deck as a whole
  int column;           // 0 when about the whole line
  std::string kind;     // "error 5", "error", "warning", "note", "fatal error"
  std::string message;  // "ILLEGAL BAR SIZE (problem C001, unit WALL, bar 11A01)"
  std::string card;     // the line as read, shown under the message; empty for none
  std::vector<Diagnostic> notes = {};
  std::vector<events::Fix> fixes = {};  // in column order; none for a note
};

// "error", "warning", "note" or "fatal", as the JSON record and the page name them.
const char* severity_name(Severity severity);

// A deck error or a warning as it is shown, with its notes.
Diagnostic diagnostic_of(const events::DeckErrorFound& error);
Diagnostic diagnostic_of(const events::Warning& warning);
// Under a check: a card at which a run would stop, told as an error.
Diagnostic diagnostic_of(const events::ConversionFailed& failure);

// "1 error, 2 warnings; no bar table for problem A102": the counts of a run
// and the problems left without a bar table.
class RunSummary final : public events::RunListener {
 public:
  void problem_opened(const events::ProblemOpened& problem) override;
  void deck_error(const events::DeckErrorFound&) override { ++errors_; }
  void warning(const events::Warning&) override { ++warnings_; }
  void conversion_failed(const events::ConversionFailed& failure) override;
  void problem_listed(std::size_t index) override;
  // A fatal stop at `line` (0 when at no card): one error more, and named as
  // where a run stops.
  void run_stopped(events::Line line);

  std::size_t errors() const { return errors_; }
  std::size_t warnings() const { return warnings_; }
  // Empty when the run found nothing.
  std::string text() const;

 private:
  std::size_t errors_ = 0;
  std::size_t warnings_ = 0;
  events::Line first_stop_ = 0;  // the first card at which a run would stop
  struct Problem {
    std::string number;
    events::Line line;
    bool listed = false;
  };
  std::vector<Problem> problems_ = std::vector<Problem>(1);  // index 0: cards before the first problem
};

}  // namespace barlist::diagnostics
