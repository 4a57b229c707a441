// The fields of each card kind, decoded from the card image with the layout
// of that kind.
#pragma once

#include <array>
#include <cstdint>

#include "deck/card.h"
#include "geometry/bar_shape.h"
#include "records/input_channel.h"

namespace barlist::deck {

struct IdentificationCard {
  std::array<char, 3> program_code{};
  std::array<char, 4> problem_number{};
  float price = 0;
  std::array<char, 68> title{};
};

struct UnitCard {
  std::array<char, 16> name{};
  float NOUNIT = 0;
  float UPRICE = 0;
};

// The fields of a bar-level card that error lines show: its size and mark.
struct BarLabel {
  std::int32_t IBS = 0;
  std::array<char, 3> IBM{' ', ' ', ' '};
};

struct BarCard {
  BarLabel label;
  float ANOB = 0;
  geometry::BarShape shape;
};

struct RecallCard {
  BarLabel label;
  float ANOB = 0;
};

struct VaryBarCard {
  BarLabel label;
  float ANOB = 0;
  float BARL = 0;
};

struct LumpWeightCard {
  float ANOB = 0;
  float lump_weight = 0;
};

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
