#include "driver/diagnostics.h"

namespace barlist::driver {
namespace {

using diagnostics::Diagnostic;
using diagnostics::Severity;

// GCC's colours: the place in bold, the kind in bold red, magenta or cyan,
// the caret in bold green, a fix in green.
constexpr const char* kBold = "\033[1m";
constexpr const char* kGreen = "\033[1;32m";
constexpr const char* kFixColour = "\033[32m";
constexpr const char* kReset = "\033[m";

const char* colour_of(Severity severity) {
  switch (severity) {
    case Severity::Warning:
      return "\033[1;35m";
    case Severity::Note:
      return "\033[1;36m";
    default:
      return "\033[1;31m";
  }
}

// "DECK:LINE:COLUMN: KIND: MESSAGE" (no column for 0, no line for 0).
std::string headline(const std::string& deck, const Diagnostic& d, bool color) {
  std::string at = deck;
  if (d.line != 0) at += ':' + std::to_string(d.line);
  if (d.line != 0 && d.column != 0) at += ':' + std::to_string(d.column);
  if (!color) return at + ": " + d.kind + ": " + d.message + '\n';
  return kBold + at + ':' + kReset + ' ' + colour_of(d.severity) + d.kind + ':' + kReset + ' ' + d.message + '\n';
}

// The card as read, then a caret under the column; a tab before the column
// is repeated so the caret stands under it however the tab is shown.
std::string card_and_caret(const Diagnostic& d, bool color) {
  const std::string_view record = d.card;
  std::string text;
  const std::size_t end = record.find_last_not_of(' ');
  if (end != std::string_view::npos) text += record.substr(0, end + 1);
  text += '\n';
  for (int c = 1; c < d.column; ++c) {
    const auto at = static_cast<std::size_t>(c - 1);
    text += at < record.size() && record[at] == '\t' ? '\t' : ' ';
  }
  return text + (color ? std::string(kGreen) + "^" + kReset : "^") + '\n';
}

// The fixes of the diagnostic's card in one line, each replacement under the
// columns it replaces, as Clang shows a fix-it; nothing when they are blank.
std::string fix_line(const Diagnostic& d, bool color) {
  std::string text;
  for (const events::Fix& fix : d.fixes) {
    const auto first = static_cast<std::size_t>(fix.first_column - 1);
    if (fix.line != d.line || fix.first_column < 1 || first < text.size()) continue;
    for (std::size_t at = text.size(); at < first; ++at) text += at < d.card.size() && d.card[at] == '\t' ? '\t' : ' ';
    text += fix.text;
  }
  const std::size_t end = text.find_last_not_of(" \t");
  if (end == std::string::npos) return {};
  text.resize(end + 1);
  if (!color) return text + '\n';
  const std::size_t start = text.find_first_not_of(" \t");
  return text.substr(0, start) + kFixColour + text.substr(start) + kReset + '\n';
}

}  // namespace

std::string terminal_text(const std::string& deck, const Diagnostic& diagnostic, DiagnosticStyle style) {
  std::string text = headline(deck, diagnostic, style.color);
  if (style.caret && diagnostic.column != 0 && diagnostic.severity != Severity::Note) {
    text += card_and_caret(diagnostic, style.color);
  }
  for (const Diagnostic& note : diagnostic.notes) text += terminal_text(deck, note, style);
  if (style.caret && diagnostic.column != 0) text += fix_line(diagnostic, style.color);
  return text;
}

Diagnostics::Diagnostics(std::string deck, std::ostream& out, DiagnosticStyle style,
                         const diagnostics::RunSummary& summary)
    : deck_(std::move(deck)), out_(out), style_(style), summary_(summary) {}

void Diagnostics::deck_error(const events::DeckErrorFound& error) {
  if (!style_.quiet) show(diagnostics::diagnostic_of(error));
}

void Diagnostics::warning(const events::Warning& warning) {
  if (!style_.quiet) show(diagnostics::diagnostic_of(warning));
}

void Diagnostics::conversion_failed(const events::ConversionFailed& failure) {
  if (!style_.quiet) show(diagnostics::diagnostic_of(failure));
}

// One write for a diagnostic and its notes, so that nothing comes between.
void Diagnostics::show(const Diagnostic& diagnostic) { out_ << terminal_text(deck_, diagnostic, style_); }

void Diagnostics::run_ended() {
  const std::string summary = summary_.text();
  if (style_.quiet || summary.empty()) return;
  out_ << deck_ + ": " + summary + '\n';
}

}  // namespace barlist::driver
