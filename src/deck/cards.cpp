#include "deck/cards.h"

#include "cards/decode.h"
#include "cards/descriptions.h"

namespace barlist::deck {
namespace {

// The card decoded by its description; a field that does not convert stops
// the run on the deck's channel.
template <const auto& description>
[[gnu::always_inline]] inline auto decoded(const records::InputChannel& deck, const Card& card) {
  typename std::remove_cvref_t<decltype(description)>::Card out;
  if (!cards::decode<description>(card.text(), out).ok()) deck.conversion_failed();
  return out;
}

}  // namespace

IdentificationCard decode_identification(const records::InputChannel& deck, const Card& card) {
  return decoded<cards::kIdentification>(deck, card);
}

UnitCard decode_unit(const records::InputChannel& deck, const Card& card) { return decoded<cards::kUnit>(deck, card); }

BarCard decode_bar(const records::InputChannel& deck, const Card& card) {
  BarCard bar = decoded<cards::kBar>(deck, card);
  bar.shape.IBS = bar.label.IBS;
  return bar;
}

RecallCard decode_recall(const records::InputChannel& deck, const Card& card) {
  return decoded<cards::kRecall>(deck, card);
}

VaryBarCard decode_vary_bar(const records::InputChannel& deck, const Card& card) {
  return decoded<cards::kVaryBar>(deck, card);
}

LumpWeightCard decode_lump_weight(const records::InputChannel& deck, const Card& card) {
  return decoded<cards::kLumpWeight>(deck, card);
}

std::array<char, 16> decode_subtotal_name(const records::InputChannel& deck, const Card& card) {
  return decoded<cards::kSubtotal>(deck, card).name;
}

std::int32_t decode_line_skip_count(const records::InputChannel& deck, const Card& card) {
  return decoded<cards::kLineSkip>(deck, card).count;
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
