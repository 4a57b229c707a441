#include "deck/cards.h"

namespace barlist::deck {
namespace {

using records::Layout;
using records::Target;

constexpr Layout kIdentificationCard{"(1X,A3,A4,F4.2,A68)"};
constexpr Layout kUnitCard{"(1X,A16,F2.0,F4.2)"};
// Columns 17 to 22 of a bar card are not used.
constexpr Layout kBarCard{"(1X,I2,A3,F4.0,F2.0,F4.0,6X,I2,2I1,8F6.0,2F3.0)"};
constexpr Layout kRecallCard{"(1X,I2,A3,6X,F4.0)"};
constexpr Layout kVaryBarCard{"(1X,I2,A3,6X,F4.0,F6.0)"};
constexpr Layout kLumpWeightCard{"(12X,F4.0,F6.0)"};
constexpr Layout kSubtotalCard{"(1X,A16)"};
constexpr Layout kLineSkipCard{"(1X,I2)"};

}  // namespace

IdentificationCard decode_identification(const records::InputChannel& deck, const Card& card) {
  IdentificationCard id;
  deck.decode<kIdentificationCard>(card.text(), id.program_code, id.problem_number, id.price, id.title);
  return id;
}

UnitCard decode_unit(const records::InputChannel& deck, const Card& card) {
  UnitCard unit;
  deck.decode<kUnitCard>(card.text(), unit.name, unit.NOUNIT, unit.UPRICE);
  return unit;
}

BarCard decode_bar(const records::InputChannel& deck, const Card& card) {
  BarCard bar;
  geometry::BarShape& s = bar.shape;
  deck.decode<kBarCard>(card.text(), bar.label.IBS, bar.label.IBM, s.LFT, s.LIN, bar.ANOB, s.ITYPE, s.IA, s.IG, s.A,
                        s.B, s.C, s.D, s.E, s.F, s.T1, s.T2, s.N1, s.ANGLE);
  s.IBS = bar.label.IBS;
  return bar;
}

RecallCard decode_recall(const records::InputChannel& deck, const Card& card) {
  RecallCard recall;
  deck.decode<kRecallCard>(card.text(), recall.label.IBS, recall.label.IBM, recall.ANOB);
  return recall;
}

VaryBarCard decode_vary_bar(const records::InputChannel& deck, const Card& card) {
  VaryBarCard vary;
  deck.decode<kVaryBarCard>(card.text(), vary.label.IBS, vary.label.IBM, vary.ANOB, vary.BARL);
  return vary;
}

LumpWeightCard decode_lump_weight(const records::InputChannel& deck, const Card& card) {
  LumpWeightCard lump;
  deck.decode<kLumpWeightCard>(card.text(), lump.ANOB, lump.lump_weight);
  return lump;
}

std::array<char, 16> decode_subtotal_name(const records::InputChannel& deck, const Card& card) {
  std::array<char, 16> name{};
  deck.decode<kSubtotalCard>(card.text(), name);
  return name;
}

std::int32_t decode_line_skip_count(const records::InputChannel& deck, const Card& card) {
  std::int32_t count = 0;
  deck.decode<kLineSkipCard>(card.text(), count);
  return count;
}

int first_non_numeric_column(const Card& card) {
  const std::string_view text = card.text();
  for (std::size_t column = 2; column <= 75; ++column) {
    if (column >= 4 && column <= 6) continue;
    const char c = text[column - 1];
    if (c != ' ' && (c < '0' || c > '9')) return static_cast<int>(column);
  }
  return 0;
}

}  // namespace barlist::deck
