// The first pass over the deck: every card checked, every bar's length worked
// out and filed, weights and costs totalled, the quantities file written.
#pragma once

#include <array>
#include <cstdint>

#include "deck/cards.h"
#include "deck/channels.h"
#include "deck/tables.h"
#include "reports/clock.h"
#include "reports/quantities_file.h"
#include "reports/totals.h"

namespace barlist::deck {

class Pass1 {
 public:
  Pass1(const DeckChannels& channels, const reports::Clock& clock, RunTables& tables);

  // True when the deck was read to its end (or a premature end) and the
  // second pass follows; false when error 19 or 20 ended the run.
  bool run();

 private:
  enum class State { AwaitingUnit, InUnit, BetweenProblems, Finished, Stopped };

  bool next_card();
  void awaiting_unit();
  void in_unit(const Card& card);
  void identification(const Card& card);
  void unit_card(const Card& card);
  void bar_card(const Card& card);
  void recall_card(const Card& card);
  void vary_bar_card(const Card& card);
  void lump_weight_card(const Card& card);
  void subtotal_card(const Card& card);
  void end_problem();
  void close_unit();
  void premature_end();
  // Files a bar's length under the next NB and adds its weight; error 19 stops
  // the run, error 14 fails the card. False when the card's processing ends.
  bool file_bar(const Card& card, geometry::StoredPair length, float BARL, float ANOB);
  void recover(int error, const Card& card);
  void stop(int error);

  ProblemRecord& problem() { return tables_.problems[problem_]; }

  const DeckChannels& channels_;
  const reports::Clock& clock_;
  RunTables& tables_;
  reports::QuantitiesFile quantities_;
  reports::Totals totals_;
  StoreTable store_;

  State state_ = State::BetweenProblems;
  Card card_;
  std::uint64_t cards_read_ = 0;
  std::size_t problem_ = 0;

  // The current problem, unit and bar, blank and zero until a card sets them.
  std::array<char, 4> problem_number_{' ', ' ', ' ', ' '};
  float problem_price_ = 0;
  std::array<char, 16> unit_name_;
  float NOUNIT_ = 0;
  float UPRICE_ = 0;
  bool unit_open_ = false;
  BarLabel bar_;
};

}  // namespace barlist::deck
