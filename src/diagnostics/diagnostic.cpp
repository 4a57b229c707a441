#include "diagnostics/diagnostic.h"

#include <algorithm>

#include "events/bar_label.h"
#include "records/text.h"

namespace barlist::diagnostics {
namespace {

// "(problem A102, unit FOOTING, bar 29F03)": the fields the error's line in the
// quantities file shows, where they hold anything.
std::string context(const events::DeckErrorFound& error) {
  const events::ErrorNames names = events::names_of(error.error);
  std::vector<std::string> parts;
  if (names.problem && !records::trimmed(error.problem_number).empty())
    parts.push_back("problem " + records::trimmed(error.problem_number));
  if (names.unit && !records::trimmed(error.unit_name).empty())
    parts.push_back("unit " + records::trimmed(error.unit_name));
  if (names.bar && events::bar_given(error.size, error.mark)) {
    parts.push_back("bar " + events::bar_label(error.size, error.mark));
  }
  if (parts.empty()) return {};
  std::string text = " (";
  for (std::size_t i = 0; i < parts.size(); ++i) text += (i > 0 ? ", " : "") + parts[i];
  return text + ")";
}

std::vector<Diagnostic> notes_of(const std::vector<events::Note>& notes) {
  std::vector<Diagnostic> shown;
  for (const events::Note& note : notes)
    shown.push_back({Severity::Note, note.line, note.column, "note", note.text, {}});
  return shown;
}

// In column order, as they are shown under the card.
std::vector<events::Fix> fixes_of(std::vector<events::Fix> fixes) {
  std::stable_sort(fixes.begin(), fixes.end(),
                   [](const events::Fix& a, const events::Fix& b) { return a.first_column < b.first_column; });
  return fixes;
}

std::string plural(std::size_t n, const char* word) { return std::to_string(n) + " " + word + (n == 1 ? "" : "s"); }

}  // namespace

const char* severity_name(Severity severity) {
  switch (severity) {
    case Severity::Warning:
      return "warning";
    case Severity::Note:
      return "note";
    case Severity::Fatal:
      return "fatal";
    case Severity::Error:
      break;
  }
  return "error";
}

Diagnostic diagnostic_of(const events::DeckErrorFound& error) {
  if (error.error == events::DeckError::PrematureEnd) {
    return {Severity::Error,
            error.line,
            0,
            "error",
            "premature end of file in problem " + records::trimmed(error.problem_number),
            {},
            notes_of(error.notes)};
  }
  return {Severity::Error,
          error.line,
          error.column,
          "error " + std::to_string(events::number(error.error)),
          std::string(events::message(error.error)) + context(error),
          std::string(error.record),
          notes_of(error.notes),
          fixes_of(error.fixes)};
}

Diagnostic diagnostic_of(const events::Warning& warning) {
  return {Severity::Warning,       warning.line,
          warning.column,          "warning",
          warning.message,         std::string(warning.record),
          notes_of(warning.notes), fixes_of(warning.fixes)};
}

Diagnostic diagnostic_of(const events::ConversionFailed& failure) {
  return {Severity::Error,
          failure.line,
          failure.column,
          "error",
          "input conversion error: " + failure.message,
          std::string(failure.record),
          {{Severity::Note, failure.line, failure.column, "note", "a run stops here; " + failure.consequence, {}}}};
}

void RunSummary::conversion_failed(const events::ConversionFailed& failure) {
  ++errors_;
  if (first_stop_ == 0) first_stop_ = failure.line;
}

void RunSummary::run_stopped(events::Line line) {
  ++errors_;
  if (first_stop_ == 0) first_stop_ = line;
}

void RunSummary::problem_opened(const events::ProblemOpened& problem) {
  problems_.resize(problem.index + 1);
  problems_[problem.index] = {records::trimmed(problem.number), problem.line};
}

void RunSummary::problem_listed(std::size_t index) {
  if (index < problems_.size()) problems_[index].listed = true;
}

std::string RunSummary::text() const {
  if (errors_ + warnings_ == 0) return {};
  std::string line = plural(errors_, "error");
  if (warnings_ > 0) line += ", " + plural(warnings_, "warning");
  std::vector<std::string> unlisted;
  for (std::size_t i = 1; i < problems_.size(); ++i) {
    if (!problems_[i].listed) {
      unlisted.push_back(problems_[i].number.empty() ? "on line " + std::to_string(problems_[i].line)
                                                     : problems_[i].number);
    }
  }
  if (!unlisted.empty()) {
    line += unlisted.size() == 1 ? "; no bar table for problem " : "; no bar table for problems ";
    for (std::size_t i = 0; i < unlisted.size(); ++i) line += (i > 0 ? ", " : "") + unlisted[i];
  }
  if (first_stop_ != 0) line += "; a run would stop at line " + std::to_string(first_stop_);
  return line;
}

}  // namespace barlist::diagnostics
