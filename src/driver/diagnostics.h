// The run's findings on standard error in the form editors and build tools
// read: "DECK:LINE:COLUMN: error N: TEXT (problem P, unit U, bar B)", the card
// as read and a caret under the column, then each note as
// "DECK:LINE:COLUMN: note: TEXT"; at the end a line that counts them and
// names the problems left without a bar table.
#pragma once

#include <ostream>
#include <string>

#include "diagnostics/diagnostic.h"
#include "events/run_listener.h"

namespace barlist::driver {

// How the diagnostics are shown.
struct DiagnosticStyle {
  bool quiet = false;  // count without printing
  bool caret = true;   // the card and a caret under each message
  bool color = false;  // GCC's colours: ANSI escapes, for a terminal only
};

// One diagnostic with its notes as the terminal shows it; `deck` is the
// deck's name as the user gave it.
std::string terminal_text(const std::string& deck, const diagnostics::Diagnostic& diagnostic, DiagnosticStyle style);

// Shows each finding as it is told; the counts and the closing line come
// from the run's summary, told of every event before this listener.
class Diagnostics final : public events::RunListener {
 public:
  Diagnostics(std::string deck, std::ostream& out, DiagnosticStyle style, const diagnostics::RunSummary& summary);

  void deck_error(const events::DeckErrorFound& error) override;
  void warning(const events::Warning& warning) override;
  void conversion_failed(const events::ConversionFailed& failure) override;
  void run_ended() override;

 private:
  void show(const diagnostics::Diagnostic& diagnostic);

  std::string deck_;
  std::ostream& out_;
  DiagnosticStyle style_;
  const diagnostics::RunSummary& summary_;
};

}  // namespace barlist::driver
