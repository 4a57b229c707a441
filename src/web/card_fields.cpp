#include "web/card_fields.h"

#include <array>
#include <map>
#include <string>

#include "deck/card.h"
#include "deck/cards.h"
#include "exports/shortest_float.h"
#include "exports/texts.h"
#include "records/fatal.h"
#include "records/input_channel.h"

namespace barlist::web {
namespace {

using events::CardKind;

// The decoders report a field that does not convert through a channel: this
// one is never read.
const records::InputChannel& decoding_channel() {
  static const records::InputChannel channel(4, "deck", records::FileDescriptor::borrow(-1));
  return channel;
}

std::string text(float value) { return exports::shortest_text(value); }
std::string text(int value) { return std::to_string(value); }
template <std::size_t N>
std::string text(const std::array<char, N>& cells) {
  return {cells.data(), N};
}

// One named value per field, in column order.
using Values = std::vector<std::pair<std::string_view, std::string>>;

Values bar_values(const deck::Card& card) {
  const deck::BarCard bar = deck::decode_bar(decoding_channel(), card);
  const geometry::BarShape& s = bar.shape;
  return {{"size", text(bar.label.IBS)},
          {"mark", text(bar.label.IBM)},
          {"length, hundreds of mm", text(s.LFT)},
          {"length, mm", text(s.LIN)},
          {"count", text(bar.ANOB)},
          {"type", text(s.ITYPE)},
          {"hook style, first end", text(s.IA)},
          {"hook style, second end", text(s.IG)},
          {"A", text(s.A)},
          {"B", text(s.B)},
          {"C", text(s.C)},
          {"D", text(s.D)},
          {"E", text(s.E)},
          {"F", text(s.F)},
          {"T1", text(s.T1)},
          {"T2", text(s.T2)},
          {"N1", text(s.N1)},
          {"angle", text(s.ANGLE)}};
}

Values values_of(CardKind kind, const deck::Card& card) {
  const records::InputChannel& deck = decoding_channel();
  switch (kind) {
    case CardKind::Identification: {
      const deck::IdentificationCard id = deck::decode_identification(deck, card);
      return {{"program code", text(id.program_code)},
              {"problem number", text(id.problem_number)},
              {"price", text(id.price)},
              {"title", text(id.title)}};
    }
    case CardKind::Unit: {
      const deck::UnitCard unit = deck::decode_unit(deck, card);
      return {{"unit name", text(unit.name)}, {"number of units", text(unit.NOUNIT)}, {"price", text(unit.UPRICE)}};
    }
    case CardKind::Bar:
    case CardKind::StoreBar:
      return bar_values(card);
    case CardKind::RecallBar: {
      const deck::RecallCard recall = deck::decode_recall(deck, card);
      return {{"size", text(recall.label.IBS)}, {"mark", text(recall.label.IBM)}, {"count", text(recall.ANOB)}};
    }
    case CardKind::VaryBar: {
      const deck::VaryBarCard vary = deck::decode_vary_bar(deck, card);
      return {{"size", text(vary.label.IBS)},
              {"mark", text(vary.label.IBM)},
              {"count", text(vary.ANOB)},
              {"length", text(vary.BARL)}};
    }
    case CardKind::LumpWeight: {
      const deck::LumpWeightCard lump = deck::decode_lump_weight(deck, card);
      return {{"count", text(lump.ANOB)}, {"lump weight", text(lump.lump_weight)}};
    }
    case CardKind::Subtotal:
      return {{"subtotal name", text(deck::decode_subtotal_name(deck, card))}};
    case CardKind::LineSkip:
      return {{"blank lines", text(deck::decode_line_skip_count(deck, card))}};
    case CardKind::Comment:
      return {{"comment", std::string(card.text().substr(1))}};
    default:
      return {};
  }
}

std::string_view kind_name(CardKind kind) {
  switch (kind) {
    case CardKind::Identification:
      return "identification card";
    case CardKind::Unit:
      return "unit card";
    case CardKind::Bar:
      return "bar card";
    case CardKind::StoreBar:
      return "store bar card";
    case CardKind::RecallBar:
      return "recall bar card";
    case CardKind::VaryBar:
      return "vary bar card";
    case CardKind::LumpWeight:
      return "lump weight card";
    case CardKind::Subtotal:
      return "subtotal card";
    case CardKind::Comment:
      return "comment card";
    case CardKind::LineSkip:
      return "line-skip card";
    case CardKind::End:
      return "end card";
    default:
      return "unknown card";
  }
}

// A column belongs to the field whose value changes when a digit is punched
// there on an otherwise blank card of the kind.
std::vector<FieldSpan> probe_fields(char column1) {
  const CardKind kind = events::kind_of(column1);
  std::string blank(deck::kCardColumns, ' ');
  blank[0] = column1;
  const Values base = values_of(kind, deck::Card(blank));
  std::vector<FieldSpan> spans{{"kind", 1, 1}};
  for (int column = 2; column <= static_cast<int>(deck::kCardColumns); ++column) {
    std::string punched = blank;
    punched[column - 1] = '1';
    const Values probe = values_of(kind, deck::Card(punched));
    std::string name;
    for (std::size_t i = 0; i < base.size(); ++i) {
      if (probe[i].second != base[i].second) name = base[i].first;
    }
    if (spans.back().name == name && spans.back().last_column == column - 1) {
      spans.back().last_column = column;
    } else {
      spans.push_back({name, column, column});
    }
  }
  return spans;
}

}  // namespace

const std::vector<FieldSpan>& card_fields(char column1) {
  static std::map<char, std::vector<FieldSpan>> known;
  const CardKind kind = events::kind_of(column1);
  // Every unknown column 1 reads alike; so do the two bar card kinds.
  const char key = kind == CardKind::Unknown ? '\x7f' : column1;
  auto found = known.find(key);
  if (found == known.end()) found = known.emplace(key, probe_fields(key)).first;
  return found->second;
}

FieldAtColumn field_at(std::string_view line, int column) {
  const deck::Card card(line);
  const char column1 = card.text()[0];
  FieldAtColumn at{.card_kind = std::string(kind_name(events::kind_of(column1))), .field = {}, .value = {}};
  if (column < 1 || column > static_cast<int>(deck::kCardColumns)) {
    at.field = {"", column, column};
    return at;
  }
  for (const FieldSpan& span : card_fields(column1)) {
    if (column < span.first_column || column > span.last_column) continue;
    at.field = span;
    if (span.first_column == 1) {
      at.value = std::string(1, column1);
    } else if (!span.name.empty()) {
      try {
        for (const auto& [name, value] : values_of(events::kind_of(column1), card)) {
          if (name == span.name) at.value = value;
        }
      } catch (const records::FatalError&) {
        // A field that does not convert: barlist stops or reports the card.
      }
    }
  }
  return at;
}

}  // namespace barlist::web
