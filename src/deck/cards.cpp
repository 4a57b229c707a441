#include "deck/cards.h"

#include "cards/descriptions.h"

namespace barlist::deck {
namespace {

// The card decoded by its description; a field that does not convert stops
// the run on the deck's channel.
template <typename Description>
[[gnu::always_inline]] inline typename Description::Card decoded(const records::InputChannel& deck,
                                                                 const Description& description, const Card& card) {
  typename Description::Card out;
  if (!cards::decode(description, card.text(), out).ok()) deck.conversion_failed();
  return out;
}

}  // namespace

IdentificationCard decode_identification(const records::InputChannel& deck, const Card& card) {
  return decoded(deck, cards::kIdentification, card);
}

UnitCard decode_unit(const records::InputChannel& deck, const Card& card) { return decoded(deck, cards::kUnit, card); }

BarCard decode_bar(const records::InputChannel& deck, const Card& card) {
  BarCard bar = decoded(deck, cards::kBar, card);
  bar.shape.IBS = bar.label.IBS;
  return bar;
}

RecallCard decode_recall(const records::InputChannel& deck, const Card& card) {
  return decoded(deck, cards::kRecall, card);
}

VaryBarCard decode_vary_bar(const records::InputChannel& deck, const Card& card) {
  return decoded(deck, cards::kVaryBar, card);
}

LumpWeightCard decode_lump_weight(const records::InputChannel& deck, const Card& card) {
  return decoded(deck, cards::kLumpWeight, card);
}

std::array<char, 16> decode_subtotal_name(const records::InputChannel& deck, const Card& card) {
  return decoded(deck, cards::kSubtotal, card).name;
}

std::int32_t decode_line_skip_count(const records::InputChannel& deck, const Card& card) {
  return decoded(deck, cards::kLineSkip, card).count;
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
