#include "web/card_fields.h"

#include <map>
#include <optional>
#include <string>
#include <type_traits>

#include "cards/decode.h"
#include "cards/descriptions.h"
#include "deck/card.h"
#include "exports/float_text.h"
#include "records/input_channel.h"

namespace barlist::web {
namespace {

using cards::CardKind;

// A value as the card's decoder reads it: text as punched, numbers in their
// shortest form.
std::string text(const records::Target& target) {
  switch (target.kind()) {
    case records::ItemKind::Text:
      return {target.text(), target.length()};
    case records::ItemKind::Integer:
      return std::to_string(*target.integer());
    default:
      return exports::shortest_text(*target.real());
  }
}

// The value of the field that starts at `first`, as the kind's description
// decodes it; nothing when the card does not convert.
std::optional<std::string> value_at(CardKind kind, const deck::Card& card, int first) {
  return cards::with_description(
      kind,
      [&](const auto& description) -> std::optional<std::string> {
        typename std::remove_cvref_t<decltype(description)>::Card decoded;
        if (!cards::decode(description, card.text(), decoded).ok()) return std::nullopt;
        for (std::size_t i = 0; i < description.field_list.size(); ++i) {
          if (description.field_list[i].first == first) return text(description.targets[i](decoded));
        }
        return std::nullopt;
      },
      std::optional<std::string>());
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
  const CardKind kind = cards::kind_of(column1);
  // Every unknown column 1 reads alike; so do the two bar card kinds.
  const char key = kind == CardKind::Unknown ? '\x7f' : column1;
  auto found = known.find(key);
  if (found == known.end()) found = known.emplace(key, spans_of(cards::kind_of(key))).first;
  return found->second;
}

FieldAtColumn field_at(std::string_view line, int column) {
  const deck::Card card(line);
  const char column1 = card.text()[0];
  FieldAtColumn at{.card_kind = std::string(cards::kind_name(cards::kind_of(column1))), .field = {}, .value = {}};
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
      at.value = value_at(cards::kind_of(column1), card, span.first_column);
    }
  }
  return at;
}

}  // namespace barlist::web
