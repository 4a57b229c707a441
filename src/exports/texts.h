// The texts both exports write: trimmed card fields, a card kind's name and
// a bar's size-and-mark label.
#pragma once

#include <string>
#include <string_view>

#include "events/card_kind.h"

namespace barlist::exports {

// A card field without its trailing blanks: "PIER CAP" from 16 columns.
std::string trimmed(std::string_view field);

// "bar", "store", "recall", "vary" or "lump" for a bar-level card.
std::string_view card_name(events::CardKind kind);

// The size and mark as an error line shows them (I3 then A3), without the
// blanks around: "29F03"; a size wider than three digits shows "***".
std::string bar_label(int IBS, std::string_view IBM);

}  // namespace barlist::exports
