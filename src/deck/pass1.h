// The first pass over the deck: every card checked, every bar's length worked
// out and filed, weights and costs totalled, and each finding told to the
// run's listener (the quantities file among them) in deck order. The state
// machine is in pass1.cpp, the bar-level cards in pass1_bars.cpp.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "deck/cards.h"
#include "deck/tables.h"
#include "deck/warnings.h"
#include "events/run_listener.h"
#include "records/input_channel.h"
#include "weights/totals.h"

namespace barlist::deck {

// A fixed cell of the current problem, unit or bar as text.
inline std::string_view as_text(const auto& cells) { return {cells.data(), cells.size()}; }

class Pass1 {
 public:
  // With `warnings`, cards are also checked for what reads differently from
  // what a detailer most likely meant.
  // With `check`, a card whose number does not convert is told and read past.
  Pass1(records::InputChannel& deck, events::RunListener& listener, RunTables& tables, bool warnings, bool check);

  // True when the deck was read to its end (or a premature end) and the
  // second pass follows; false when error 19 or 20 ended the run.
  bool run();

 private:
  enum class State { AwaitingUnit, InUnit, BetweenProblems, Finished, Stopped };

  bool read_deck();
  // Runs one step of the reader; under a check, a conversion error in it
  // fails the card instead of stopping the run.
  template <typename Step>
  void guarded(Step step);
  bool next_card();
  void take_card(std::string_view record);
  void awaiting_unit();
  void between_problems();
  void in_unit(const Card& card);
  void identification(const Card& card);
  void unit_card(const Card& card);
  // A card that files a length in the bar-length table.
  void bar_length_card(const Card& card);
  void bar_card(const Card& card);
  void recall_card(const Card& card);
  void vary_bar_card(const Card& card);
  void lump_weight_card(const Card& card);
  void subtotal_card(const Card& card);
  void end_problem();
  void close_unit();
  void premature_end();
  void no_end_card();
  // Files a bar's length under the next NB and adds its weight; error 19 stops
  // the run, error 14 fails the card. False when the card's processing ends.
  bool file_bar(const Card& card, geometry::StoredPair length, float BARL, float ANOB, const geometry::BarShape* shape);
  void weighed(const Card& card, float ANOB, float length, float lump_weight, float weight,
               const geometry::BarShape* shape);
  void recover(events::DeckError error, const Card& card, int column, float closing_F = 0);
  // The same, pointing at the card's field of that name.
  void recover(events::DeckError error, const Card& card, std::string_view field);
  void stop(events::DeckError error);
  void tell(events::DeckError error, const Card& card, int column, float closing_F = 0);
  void warn(int column, std::string message, std::string note = {}, const std::vector<CardFix>& fixes = {});
  // Tells the warnings the card checks left in found_, and empties it.
  void warn_found() {
    if (!found_.empty()) tell_found();  // nearly every card has none
  }
  void tell_found();

  ProblemRecord& problem() { return tables_.problems[problem_]; }

  records::InputChannel& deck_;
  events::RunListener& listener_;
  RunTables& tables_;
  const bool warnings_;
  const bool check_;
  weights::Totals totals_;
  StoreTable store_;
  std::vector<CardWarning> found_;
  // Bar cards of this problem punched with a small s, which store nothing.
  struct SmallStore {
    BarLabel label;
    events::Line line;
  };
  std::vector<SmallStore> small_stores_;

  State state_ = State::BetweenProblems;
  bool after_end_card_ = false;  // between problems because an end card was read
  bool problem_ended_ = false;   // the current problem's end card was read
  bool line_ends_told_ = false;  // a carriage return without a line feed was told
  bool neat_ = true;             // the card is neatly punched: no slip to look for
  Card card_;
  std::string_view record_;  // the card's line as read, until the next is read
  events::Line line_ = 0;
  std::size_t problem_ = 0;

  // The current problem, unit and bar, blank and zero until a card sets them.
  std::array<char, 4> problem_number_{' ', ' ', ' ', ' '};
  std::array<char, 4> opened_number_{' ', ' ', ' ', ' '};  // of the problem last opened
  float problem_price_ = 0;
  std::array<char, 16> unit_name_;
  events::Line unit_line_ = 0;
  std::size_t units_read_ = 0;  // unit cards read so far, the open one's number
  int bar_marks_ = 0;           // cards of the problem that gave a bar mark and were weighed
  float NOUNIT_ = 0;
  float UPRICE_ = 0;
  bool unit_open_ = false;
  BarLabel bar_;
};

}  // namespace barlist::deck
