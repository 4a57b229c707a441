#include "web/card_fields.h"

#include <array>
#include <map>
#include <string>

#include "cards/card_fields.h"
#include "deck/card.h"
#include "deck/cards.h"
#include "deck/conversion_place.h"
#include "exports/shortest_float.h"
#include "exports/texts.h"
#include "records/fatal.h"
#include "records/input_channel.h"

namespace barlist::web {
namespace {

using events::CardKind;

std::string text(float value) { return exports::shortest_text(value); }
std::string text(int value) { return std::to_string(value); }
template <std::size_t N>
std::string text(const std::array<char, N>& cells) {
  return {cells.data(), N};
}

// The value of each field as the card's decoder reads it, in the order of
// the kind's fields.
using Values = std::vector<std::string>;

Values bar_values(const deck::Card& card) {
  const deck::BarCard bar = deck::decode_bar(deck::decoding_channel(), card);
  const geometry::BarShape& s = bar.shape;
  return {text(bar.label.IBS), text(bar.label.IBM), text(s.LFT), text(s.LIN), text(bar.ANOB), text(s.ITYPE),
          text(s.IA),          text(s.IG),          text(s.A),   text(s.B),   text(s.C),      text(s.D),
          text(s.E),           text(s.F),           text(s.T1),  text(s.T2),  text(s.N1),     text(s.ANGLE)};
}

Values values_of(CardKind kind, const deck::Card& card) {
  const records::InputChannel& deck = deck::decoding_channel();
  switch (kind) {
    case CardKind::Identification: {
      const deck::IdentificationCard id = deck::decode_identification(deck, card);
      return {text(id.program_code), text(id.problem_number), text(id.price), text(id.title)};
    }
    case CardKind::Unit: {
      const deck::UnitCard unit = deck::decode_unit(deck, card);
      return {text(unit.name), text(unit.NOUNIT), text(unit.UPRICE)};
    }
    case CardKind::Bar:
    case CardKind::StoreBar:
      return bar_values(card);
    case CardKind::RecallBar: {
      const deck::RecallCard recall = deck::decode_recall(deck, card);
      return {text(recall.label.IBS), text(recall.label.IBM), text(recall.ANOB)};
    }
    case CardKind::VaryBar: {
      const deck::VaryBarCard vary = deck::decode_vary_bar(deck, card);
      return {text(vary.label.IBS), text(vary.label.IBM), text(vary.ANOB), text(vary.BARL)};
    }
    case CardKind::LumpWeight: {
      const deck::LumpWeightCard lump = deck::decode_lump_weight(deck, card);
      return {text(lump.ANOB), text(lump.lump_weight)};
    }
    case CardKind::Subtotal:
      return {text(deck::decode_subtotal_name(deck, card))};
    case CardKind::LineSkip:
      return {text(deck::decode_line_skip_count(deck, card))};
    default:
      return {};
  }
}

// The kind's fields from the card layouts, with the runs of columns between
// them that no field reads; a comment card's text is one field.
std::vector<FieldSpan> spans_of(CardKind kind) {
  std::vector<FieldSpan> spans{{"kind", 1, 1}};
  if (kind == CardKind::Comment) {
    spans.push_back({"comment", 2, static_cast<int>(deck::kCardColumns)});
    return spans;
  }
  for (const cards::CardField& field : cards::fields_of(kind)) {
    if (field.first > spans.back().last_column + 1)
      spans.push_back({"", spans.back().last_column + 1, field.first - 1});
    spans.push_back({std::string(field.name), field.first, field.last});
  }
  const int last = static_cast<int>(deck::kCardColumns);
  if (spans.back().last_column < last) spans.push_back({"", spans.back().last_column + 1, last});
  return spans;
}

}  // namespace

const std::vector<FieldSpan>& card_fields(char column1) {
  static std::map<char, std::vector<FieldSpan>> known;
  const CardKind kind = events::kind_of(column1);
  // Every unknown column 1 reads alike; so do the two bar card kinds.
  const char key = kind == CardKind::Unknown ? '\x7f' : column1;
  auto found = known.find(key);
  if (found == known.end()) found = known.emplace(key, spans_of(events::kind_of(key))).first;
  return found->second;
}

FieldAtColumn field_at(std::string_view line, int column) {
  const deck::Card card(line);
  const char column1 = card.text()[0];
  FieldAtColumn at{.card_kind = std::string(events::kind_name(events::kind_of(column1))), .field = {}, .value = {}};
  if (column < 1 || column > static_cast<int>(deck::kCardColumns)) {
    at.field = {"", column, column};
    return at;
  }
  for (const FieldSpan& span : card_fields(column1)) {
    if (column < span.first_column || column > span.last_column) continue;
    at.field = span;
    if (span.first_column == 1) {
      at.value = std::string(1, column1);
    } else if (span.name == "comment") {
      at.value = std::string(card.text().substr(1));
    } else if (!span.name.empty()) {
      try {
        const cards::CardFields fields = cards::fields_of(events::kind_of(column1));
        const Values values = values_of(events::kind_of(column1), card);
        std::size_t index = 0;
        for (const cards::CardField& field : fields) {
          if (field.first == span.first_column && index < values.size()) at.value = values[index];
          ++index;
        }
      } catch (const records::FatalError&) {
        // A field that does not convert: barlist stops or reports the card.
      }
    }
  }
  return at;
}

}  // namespace barlist::web
