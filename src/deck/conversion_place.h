// Where a card's number does not convert: the field, the column and what it
// holds, found by asking the card's own decoder about ever shorter parts of
// the card, so that the rule of what converts stays in one place.
#pragma once

#include <string>

#include "deck/card.h"
#include "records/input_channel.h"

namespace barlist::deck {

struct ConversionPlace {
  int column = 0;       // the first column whose character stops the number; 0 when none is found
  std::string message;  // "\"12,5\" in the lump weight (columns 17-22) is not a number"
};

ConversionPlace conversion_place(const Card& card);

// A channel to hand the card decoders when decoding a card on its own: it is
// never read, and names the deck (unit 4) in a conversion error.
const records::InputChannel& decoding_channel();

}  // namespace barlist::deck
