#include "deck/cards.h"

#include "cards/card_layouts.h"

namespace barlist::deck {

IdentificationCard decode_identification(const records::InputChannel& deck, const Card& card) {
  IdentificationCard id;
  deck.decode<cards::kIdentificationCard>(card.text(), id.program_code, id.problem_number, id.price, id.title);
  return id;
}

UnitCard decode_unit(const records::InputChannel& deck, const Card& card) {
  UnitCard unit;
  deck.decode<cards::kUnitCard>(card.text(), unit.name, unit.NOUNIT, unit.UPRICE);
  return unit;
}

BarCard decode_bar(const records::InputChannel& deck, const Card& card) {
  BarCard bar;
  geometry::BarShape& s = bar.shape;
  deck.decode<cards::kBarCard>(card.text(), bar.label.IBS, bar.label.IBM, s.LFT, s.LIN, bar.ANOB, s.ITYPE, s.IA, s.IG,
                               s.A, s.B, s.C, s.D, s.E, s.F, s.T1, s.T2, s.N1, s.ANGLE);
  s.IBS = bar.label.IBS;
  return bar;
}

RecallCard decode_recall(const records::InputChannel& deck, const Card& card) {
  RecallCard recall;
  deck.decode<cards::kRecallCard>(card.text(), recall.label.IBS, recall.label.IBM, recall.ANOB);
  return recall;
}

VaryBarCard decode_vary_bar(const records::InputChannel& deck, const Card& card) {
  VaryBarCard vary;
  deck.decode<cards::kVaryBarCard>(card.text(), vary.label.IBS, vary.label.IBM, vary.ANOB, vary.BARL);
  return vary;
}

LumpWeightCard decode_lump_weight(const records::InputChannel& deck, const Card& card) {
  LumpWeightCard lump;
  deck.decode<cards::kLumpWeightCard>(card.text(), lump.ANOB, lump.lump_weight);
  return lump;
}

std::array<char, 16> decode_subtotal_name(const records::InputChannel& deck, const Card& card) {
  std::array<char, 16> name{};
  deck.decode<cards::kSubtotalCard>(card.text(), name);
  return name;
}

std::int32_t decode_line_skip_count(const records::InputChannel& deck, const Card& card) {
  std::int32_t count = 0;
  deck.decode<cards::kLineSkipCard>(card.text(), count);
  return count;
}

int first_non_numeric_column(const Card& card) {
  // From the size to the first column of N1, the mark excepted.
  static constexpr cards::CardField kMark = cards::kBarFields.named("mark");
  static constexpr int kFirst = cards::kBarFields.named("size").first;
  static constexpr int kLast = cards::kBarFields.named("count N1").first;
  const std::string_view text = card.text();
  for (int column = kFirst; column <= kLast; ++column) {
    if (kMark.holds(column)) continue;
    const char c = text[static_cast<std::size_t>(column - 1)];
    if (c != ' ' && (c < '0' || c > '9')) return column;
  }
  return 0;
}

}  // namespace barlist::deck
