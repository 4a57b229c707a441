// The texts both exports write: card fields without their trailing blanks
// and a card kind's name.
#pragma once

#include <string>
#include <string_view>

#include "cards/card_kind.h"

namespace barlist::exports {

// A card field without its trailing blanks: "PIER CAP" from 16 columns. Its
// leading blanks are kept, as punched.
std::string without_trailing_blanks(std::string_view field);

// "bar", "store", "recall", "vary" or "lump" for a bar-level card.
std::string_view card_name(cards::CardKind kind);

}  // namespace barlist::exports
