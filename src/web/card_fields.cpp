#include "web/card_fields.h"

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <type_traits>

#include "cards/decode.h"
#include "cards/descriptions.h"
#include "cards/used_columns.h"
#include "cards/wording.h"
#include "deck/card.h"
#include "exports/float_text.h"
#include "records/input_channel.h"

namespace barlist::web {
namespace {

using cards::CardKind;

constexpr std::string_view kNotRead = "not read";
constexpr std::string_view kListed = "not read; listed in the bar table as punched";

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
// decodes it; nothing when that field does not convert. Another field that
// does not convert is read as blank, so that it does not hide this one.
std::optional<std::string> value_at(CardKind kind, const deck::Card& card, int first) {
  return cards::with_description(
      kind,
      [&](const auto& description) -> std::optional<std::string> {
        std::string image(card.text());
        for (std::size_t tries = 0; tries <= description.field_list.size(); ++tries) {
          typename std::remove_cvref_t<decltype(description)>::Card decoded;
          const cards::DecodeStatus status = cards::decode(description, image, decoded);
          if (!status.ok()) {
            if (status.failed == nullptr || status.failed->first == first) return std::nullopt;
            image.replace(static_cast<std::size_t>(status.failed->first - 1),
                          static_cast<std::size_t>(status.failed->width()),
                          static_cast<std::size_t>(status.failed->width()), ' ');
            continue;
          }
          for (std::size_t i = 0; i < description.field_list.size(); ++i) {
            if (description.field_list[i].first == first) return text(description.targets[i](decoded));
          }
          return std::nullopt;
        }
        return std::nullopt;
      },
      std::optional<std::string>());
}

FieldSpan named(std::string_view name, int first, int last, bool listed) {
  return {std::string(name),
          first,
          last,
          listed,
          std::string(name) + ", " + cards::columns(first, last),
          std::string(listed ? kListed : "")};
}

FieldSpan unread(int first, int last) {
  return {"", first, last, false, cards::columns(first, last), std::string(kNotRead)};
}

// The kind's fields from the card layouts and those the bar table lists, with
// the runs of columns between them that nothing reads; a comment card's text
// is one field.
std::vector<FieldSpan> spans_of(CardKind kind) {
  std::vector<FieldSpan> spans{named("kind", 1, 1, false)};
  std::vector<std::pair<cards::CardField, bool>> fields;
  if (kind == CardKind::Comment) fields.push_back({{"comment", "comment", 2, cards::kCardColumns}, false});
  for (const cards::CardField& field : cards::fields_of(kind)) fields.push_back({field, false});
  for (const cards::CardField& field : cards::listed_fields(kind)) fields.push_back({field, true});
  std::sort(fields.begin(), fields.end(), [](const auto& a, const auto& b) { return a.first.first < b.first.first; });
  for (const auto& [field, listed] : fields) {
    if (field.first > spans.back().last_column + 1)
      spans.push_back(unread(spans.back().last_column + 1, field.first - 1));
    spans.push_back(named(field.name, field.first, field.last, listed));
  }
  if (spans.back().last_column < cards::kCardColumns)
    spans.push_back(unread(spans.back().last_column + 1, cards::kCardColumns));
  return spans;
}

// "read as 4600"; text with a blank at either end, or none, in quotes.
std::string reading_of(const std::string& value) {
  if (value.empty() || value.front() == ' ' || value.back() == ' ') return "read as \u201c" + value + "\u201d";
  return "read as " + value;
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
  FieldAtColumn at{
      .card_kind = std::string(cards::kind_name(cards::kind_of(column1))), .field = {}, .value = {}, .reading = {}};
  if (column < 1 || column > cards::kCardColumns) {
    at.field = {"",
                column,
                column,
                false,
                "column " + std::to_string(column) + ", past column " + std::to_string(cards::kCardColumns),
                std::string(kNotRead)};
    at.reading = at.field.note;
    return at;
  }
  for (const FieldSpan& span : card_fields(column1)) {
    if (column < span.first_column || column > span.last_column) continue;
    at.field = span;
    if (span.first_column == 1) {
      at.value = std::string(1, column1);
    } else if (span.name == "comment") {
      at.value = std::string(card.text().substr(1));
    } else if (!span.name.empty() && !span.listed) {
      at.value = value_at(cards::kind_of(column1), card, span.first_column);
    }
    at.reading = !span.note.empty() ? span.note : at.value ? reading_of(*at.value) : "does not read as a number";
  }
  return at;
}

}  // namespace barlist::web
