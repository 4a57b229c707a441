// Whether a card is neatly punched, told at once for the whole card so that
// the checks of slips run only on the few cards that are not.
#pragma once

#include <string_view>

#include "cards/card_kind.h"
#include "deck/card.h"

namespace barlist::deck {

// The cards that carry quantities, whose unread columns are worth a word.
constexpr bool carries_quantities(cards::CardKind kind) {
  using cards::CardKind;
  return kind == CardKind::Bar || kind == CardKind::StoreBar || kind == CardKind::RecallBar ||
         kind == CardKind::LumpWeight;
}

// A card is neatly punched when
// - its record holds plain characters only (no tab, carriage return or other
//   control character, no byte outside ASCII) within the card's 80 columns;
// - each number on it is blank or right-justified with no blank inside: the
//   kind's numeric fields, a bar card's written length as one six-column
//   number, and on recall and vary bar cards the bar card numbers that the
//   bar table lists from them;
// - no number of the kind's own fields runs on into, or begins in, a column
//   next to it that no field of the kind reads;
// - on a card that carries quantities, the columns no field reads are blank.
// No check of a slip finds anything on such a card. `card` is `record`'s image.
bool neatly_punched(std::string_view record, const Card& card);

}  // namespace barlist::deck
