// Cards that read differently from what a detailer most likely meant. A
// warning never changes what the run computes or writes; it only tells.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "deck/card.h"
#include "deck/cards.h"

namespace barlist::deck {

struct CardWarning {
  int column;  // first column of the field concerned
  std::string message;
  std::string note = {};  // what to do, at the same column; none when empty
};

// Any card: a tab, and text beyond column 80 (which no card reads).
void check_record(std::string_view record, std::vector<CardWarning>& found);

// A bar or store bar card: numbers punched at the left of their fields, which
// pass 1 reads as written and the bar table lists with trailing zeros; a
// written length beside a bar type or dimensions that it makes void.
void check_bar_card(const Card& card, const BarCard& bar, std::vector<CardWarning>& found);

// A recall bar card: a count punched at the left of its field.
void check_recall_card(const Card& card, std::vector<CardWarning>& found);

}  // namespace barlist::deck
