// Where a card's number does not convert: the field, the column and what it
// holds, found by asking the card's own decoder about ever shorter parts of
// the card, so that the rule of what converts stays in one place.
#pragma once

#include <string>

#include "deck/card.h"

namespace barlist::deck {

struct ConversionPlace {
  int column = 0;       // the first column whose character stops the number; 0 when none is found
  std::string message;  // "\"12,5\" in the lump weight (columns 17-22) is not a number"
};

ConversionPlace conversion_place(const Card& card);

}  // namespace barlist::deck
