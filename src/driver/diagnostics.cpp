#include "driver/diagnostics.h"

#include "events/bar_label.h"
#include "records/text.h"

namespace barlist::driver {
namespace {

// "(problem A102, unit FOOTING, bar 29F03)": the fields the error's line in the
// quantities file shows, where they hold anything.
std::string context(const events::DeckErrorFound& error) {
  using events::ErrorFields;
  const ErrorFields fields = events::fields_of(error.error);
  std::vector<std::string> parts;
  if (fields >= ErrorFields::Problem && !records::trimmed(error.problem_number).empty())
    parts.push_back("problem " + records::trimmed(error.problem_number));
  if (fields >= ErrorFields::ProblemUnit && !records::trimmed(error.unit_name).empty())
    parts.push_back("unit " + records::trimmed(error.unit_name));
  if (fields >= ErrorFields::ProblemUnitBar && events::bar_given(error.size, error.mark)) {
    parts.push_back("bar " + events::bar_label(error.size, error.mark));
  }
  if (parts.empty()) return {};
  std::string text = " (";
  for (std::size_t i = 0; i < parts.size(); ++i) text += (i > 0 ? ", " : "") + parts[i];
  return text + ")";
}

// GCC's colours: the place in bold, the kind in bold red or magenta, the
// caret in bold green.
const std::string kBold = "\033[1m";
constexpr const char* kRed = "\033[1;31m";
constexpr const char* kMagenta = "\033[1;35m";
constexpr const char* kGreen = "\033[1;32m";
constexpr const char* kReset = "\033[m";

std::string plural(std::size_t n, const char* word) { return std::to_string(n) + " " + word + (n == 1 ? "" : "s"); }

}  // namespace

Diagnostics::Diagnostics(std::string deck, std::ostream& out, DiagnosticStyle style)
    : deck_(std::move(deck)), out_(out), style_(style), problems_(1) {}

void Diagnostics::problem_opened(const events::ProblemOpened& problem) {
  problems_.resize(problem.index + 1);
  problems_[problem.index] = {records::trimmed(problem.number), problem.line};
}

void Diagnostics::deck_error(const events::DeckErrorFound& error) {
  ++errors_;
  if (style_.quiet) return;
  const std::string at = deck_ + ':' + std::to_string(error.line);
  if (error.error == events::DeckError::PrematureEnd) {
    show(at, "error", "premature end of file in problem " + records::trimmed(error.problem_number), {}, 0);
    return;
  }
  show(at + ':' + std::to_string(error.column), ("error " + std::to_string(events::number(error.error))).c_str(),
       std::string(events::message(error.error)) + context(error), error.record, error.column);
}

void Diagnostics::warning(const events::Warning& warning) {
  ++warnings_;
  if (style_.quiet) return;
  show(deck_ + ':' + std::to_string(warning.line) + ':' + std::to_string(warning.column), "warning", warning.message,
       warning.record, warning.column);
}

void Diagnostics::problem_listed(std::size_t index) {
  if (index < problems_.size()) problems_[index].listed = true;
}

// "AT: KIND: MESSAGE", then the card as read and a caret under the column
// (none for column 0); a tab before the column is repeated so the caret
// stands under it however the tab is shown. One write for the three lines.
void Diagnostics::show(const std::string& at, const char* kind, const std::string& message, std::string_view record,
                       int column) {
  const bool error = kind[0] == 'e';
  std::string text = style_.color ? kBold + at + ':' + kReset + ' ' + (error ? kRed : kMagenta) + kind + ':' + kReset
                                  : at + ": " + kind + ':';
  text += ' ' + message + '\n';
  if (!style_.caret || column == 0) {
    out_ << text;
    return;
  }
  const std::size_t end = record.find_last_not_of(' ');
  if (end != std::string_view::npos) text += record.substr(0, end + 1);
  text += '\n';
  for (int c = 1; c < column; ++c) {
    const auto at = static_cast<std::size_t>(c - 1);
    text += at < record.size() && record[at] == '\t' ? '\t' : ' ';
  }
  out_ << text + (style_.color ? std::string(kGreen) + "^" + kReset : "^") + '\n';
}

void Diagnostics::run_ended() {
  if (style_.quiet || errors_ + warnings_ == 0) return;
  std::string line = deck_ + ": " + plural(errors_, "error");
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
  out_ << line << '\n';
}

}  // namespace barlist::driver
