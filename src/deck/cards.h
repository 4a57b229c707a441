// The fields of each card kind, decoded from the card image by the kind's
// description.
#pragma once

#include <array>
#include <cstdint>

#include "cards/decoded.h"
#include "deck/card.h"
#include "records/input_channel.h"

namespace barlist::deck {

using cards::BarCard;
using cards::BarLabel;
using cards::IdentificationCard;
using cards::LumpWeightCard;
using cards::RecallCard;
using cards::UnitCard;
using cards::VaryBarCard;

// Every decoder reads through the deck's channel, so a numeric field that
// does not convert stops the run with the deck named.
IdentificationCard decode_identification(const records::InputChannel& deck, const Card& card);
UnitCard decode_unit(const records::InputChannel& deck, const Card& card);
BarCard decode_bar(const records::InputChannel& deck, const Card& card);
RecallCard decode_recall(const records::InputChannel& deck, const Card& card);
VaryBarCard decode_vary_bar(const records::InputChannel& deck, const Card& card);
LumpWeightCard decode_lump_weight(const records::InputChannel& deck, const Card& card);
std::array<char, 16> decode_subtotal_name(const records::InputChannel& deck, const Card& card);
std::int32_t decode_line_skip_count(const records::InputChannel& deck, const Card& card);

// A bar or store bar card may hold only blanks and digits in columns 2 to 75,
// the bar mark in columns 4 to 6 excepted. Returns the first column that
// holds anything else, or 0 when the card is clean.
int first_non_numeric_column(const Card& card);

}  // namespace barlist::deck
