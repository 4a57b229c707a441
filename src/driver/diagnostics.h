// Deck errors and warnings on standard error in the form editors and build
// tools read, "DECK:LINE:COLUMN: error N: TEXT (problem P, unit U, bar B)",
// each followed by the card as read and a caret under the column; at the end
// a line that counts them and names the problems left without a bar table.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <vector>

#include "events/run_listener.h"

namespace barlist::driver {

// How the diagnostics are shown.
struct DiagnosticStyle {
  bool quiet = false;  // count without printing
  bool caret = true;   // the card and a caret under each message
  bool color = false;  // GCC's colours: ANSI escapes, for a terminal only
};

class Diagnostics final : public events::RunListener {
 public:
  // `deck` is the deck's name as the user gave it.
  Diagnostics(std::string deck, std::ostream& out, DiagnosticStyle style);

  void problem_opened(const events::ProblemOpened& problem) override;
  void deck_error(const events::DeckErrorFound& error) override;
  void warning(const events::Warning& warning) override;
  void problem_listed(std::size_t index) override;
  void run_ended() override;

  std::size_t errors() const { return errors_; }
  std::size_t warnings() const { return warnings_; }

 private:
  void show(const std::string& at, const char* kind, const std::string& message, std::string_view record, int column);

  std::string deck_;
  std::ostream& out_;
  DiagnosticStyle style_;
  std::size_t errors_ = 0;
  std::size_t warnings_ = 0;
  struct Problem {
    std::string number;
    events::Line line;
    bool listed = false;
  };
  std::vector<Problem> problems_;  // index 0 stands for cards before the first problem
};

}  // namespace barlist::driver
