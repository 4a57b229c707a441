// Numbers off their place on the cards other than bar cards: a unit card's
// number of units shifted into the price or into the name, and a number
// punched at the left of its field or with a blank inside, where the report
// shows it otherwise than meant.
#include <cstdio>
#include <optional>

#include "cards/descriptions.h"
#include "cards/wording.h"
#include "deck/number_shapes.h"
#include "deck/warnings.h"

namespace barlist::deck {
namespace {

using cards::CardField;
using cards::CardKind;

std::string units_text(float units) {
  char text[32];
  std::snprintf(text, sizeof text, "%g unit%s", static_cast<double>(units), units == 1.0f ? "" : "s");
  return text;
}

std::string price_text(float price) {
  if (!(price > 0)) return "the problem's price";
  char text[32];
  std::snprintf(text, sizeof text, "$%.2f/kg", static_cast<double>(price));
  return text;
}

// Whether the bar table copies the field as punched, so that a number at the
// left of it shows out of its column there: a unit card's number of units, a
// vary bar card's fields at the bar card's columns, and the bar card's fields
// that it lists without zero filling.
bool listed_as_punched(CardKind kind, const CardField& field) {
  switch (kind) {
    case CardKind::Unit:
      return field.name == cards::kUnitFields.named("number of units").name;
    case CardKind::VaryBar: {
      const CardField* bar = cards::kBarFields.at_column(field.first);
      return bar != nullptr && bar->first == field.first && bar->last == field.last;
    }
    case CardKind::Bar:
    case CardKind::StoreBar:
      return true;  // asked only of those fields
    default:
      return false;
  }
}

// A price said as a price, other numbers as read.
std::string said_as_read(const CardField& field, const std::string& digits) {
  const std::string value = value_read(digits, field);
  return field.name == cards::kUnitFields.named("price").name ? "$" + value + "/kg" : value;
}

// A number that begins in the last columns of a number field and runs into
// the text field after it: where it starts and ends, or nothing when the
// text begins with a number of its own (a blank after the digits is asked
// for) or the field is filled to its first column.
struct Run {
  int first;
  int last;
};
std::optional<Run> run_into_text(const Card& card, const CardField& number, const CardField& text) {
  if (!is_digit(card.at(number.last)) || !is_digit(card.at(text.first))) return std::nullopt;
  int first = number.last;
  while (first > number.first && is_digit(card.at(first - 1))) --first;
  int last = text.first;
  while (last < text.last && is_digit(card.at(last + 1))) ++last;
  if (first == number.first || card.at(first - 1) != ' ' || last == text.last || card.at(last + 1) != ' ')
    return std::nullopt;
  return Run{first, last};
}

// The number of `run` back in its field, the text columns it took blank.
// Not safe: a title or description may begin with a digit.
std::vector<CardFix> back_from_text(const Card& card, Run run, const CardField& number, const CardField& text) {
  const std::string digits(
      card.text().substr(static_cast<std::size_t>(run.first - 1), static_cast<std::size_t>(run.last - run.first + 1)));
  const auto justified = right_justified(digits, number.width());
  if (!justified) return {};
  return {{number.first, run.last, *justified + std::string(static_cast<std::size_t>(run.last - text.first + 1), ' '),
           false}};
}

}  // namespace

void check_unit_card(const Card& card, const UnitCard& unit, std::vector<CardWarning>& found) {
  static constexpr CardField kName = cards::kUnitFields.named("unit name");
  static constexpr CardField kUnits = cards::kUnitFields.named("number of units");
  static constexpr CardField kPrice = cards::kUnitFields.named("price");
  // The description the bar table prints after the card's numbers.
  static constexpr CardField kDescription{"unit description", "", kPrice.last + 1, cards::kCardColumns};
  const auto read = [&unit] { return ": read as " + units_text(unit.NOUNIT) + " at " + price_text(unit.UPRICE); };
  if (const auto run = run_into_text(card, kPrice, kDescription)) {
    found.push_back({run->first,
                     "the number in " + cards::columns(run->first, run->last) + " runs across the price (" +
                         cards::column_span(kPrice.first, kPrice.last) + ") and the unit description (" +
                         cards::column_span(kDescription.first, kDescription.last) + ")" + read(),
                     cards::punch_note(kPrice), back_from_text(card, *run, kPrice, kDescription)});
  }
  if (is_digit(card.at(kUnits.last)) && is_digit(card.at(kPrice.first))) {
    // One number across the border: where it starts and ends.
    int first = kUnits.last;
    while (first > kUnits.first && is_digit(card.at(first - 1))) --first;
    int last = kPrice.first;
    while (last < kPrice.last && is_digit(card.at(last + 1))) ++last;
    const std::string_view after = card.text().substr(static_cast<std::size_t>(last), kPrice.last - last);
    if (after.find_first_not_of(' ') != std::string_view::npos) {  // a price of its own follows
      check_number_shapes(card, found);
      return;
    }
    const std::string digits(card.text().substr(static_cast<std::size_t>(first - 1), last - first + 1));
    CardWarning warning{first,
                        "the number in " + cards::columns(first, last) + " runs across the number of units (" +
                            cards::column_span(kUnits.first, kUnits.last) + ") and the price (" +
                            cards::column_span(kPrice.first, kPrice.last) + ")" + read(),
                        cards::punch_note(kUnits)};
    // Back among the units, the price left blank: a price of a few cents a
    // kilogram is no real price.
    if (const auto justified = right_justified(digits, kUnits.width())) {
      warning.fixes.push_back({kUnits.first, kPrice.last, *justified + std::string(kPrice.width(), ' '), true});
    }
    found.push_back(std::move(warning));
    return;  // the price's shape is the number's doing
  }
  // Shifted left: the name takes the number's first digit.
  if (is_digit(card.at(kName.last)) && is_digit(card.at(kUnits.first)) && card.at(kUnits.last) == ' ' &&
      card.at(kName.last - 1) == ' ') {
    CardWarning warning{kName.last,
                        "the number in " + cards::columns(kName.last, kUnits.first) + " begins in the unit name (" +
                            cards::column_span(kName.first, kName.last) + ")" + read(),
                        cards::punch_note(kUnits)};
    // Not safe: a unit name may end in a digit.
    const std::string digits{card.at(kName.last), card.at(kUnits.first)};
    warning.fixes.push_back({kName.last, kUnits.last, " " + digits, false});
    found.push_back(std::move(warning));
    check_number_shape(card, kPrice, found);  // the units told of already
    return;
  }
  check_number_shapes(card, found);
}

void check_identification_card(const Card& card, const IdentificationCard& id, std::vector<CardWarning>& found) {
  static constexpr CardField kPrice = cards::kIdentificationFields.named("price");
  static constexpr CardField kTitle = cards::kIdentificationFields.named("title");
  check_number_shape(card, kPrice, found);
  const auto run = run_into_text(card, kPrice, kTitle);
  if (!run) return;
  found.push_back({run->first,
                   "the number in " + cards::columns(run->first, run->last) + " runs across the price (" +
                       cards::column_span(kPrice.first, kPrice.last) + ") and the title (" +
                       cards::column_span(kTitle.first, kTitle.last) + "): read as " + price_text(id.price),
                   cards::punch_note(kPrice), back_from_text(card, *run, kPrice, kTitle)});
}

void check_number_shape(const Card& card, const CardField& field, std::vector<CardWarning>& found) {
  if (!blank_or_neat(card.text(), field.first, field.last)) tell_number_shape(card, field, found);
}

void tell_number_shape(const Card& card, const CardField& field, std::vector<CardWarning>& found) {
  int lead = 0;
  const NumberShape shape = number_shape(card.text(), field, &lead);
  if (shape == NumberShape::Blank || shape == NumberShape::Neat) return;
  // A number at the left reads as meant; only where the bar table copies it
  // as punched does it show otherwise.
  if (shape == NumberShape::AtLeft && !listed_as_punched(card.kind(), field)) return;
  const std::string digits = without_blanks(field.text(card.text()));
  const std::string read = said_as_read(field, digits);
  CardWarning warning{
      field.first + lead,
      shape == NumberShape::BlankInside
          ? "blank inside the " + std::string(field.name) + " (" + cards::columns(field) + "): read as " + read
          : std::string(field.name) + " punched at the left of its field: read as " + read +
                ", listed in the bar table as punched",
      cards::punch_note(field)};
  if (const auto justified = right_justified(digits, field.width())) {
    warning.fixes.push_back({field.first, field.last, *justified, true, true});
  }
  found.push_back(std::move(warning));
}

void check_number_shapes(const Card& card, std::vector<CardWarning>& found) {
  for (const CardField& field : cards::fields_of(card.kind())) {
    if (field.numeric && !blank_or_neat(card.text(), field.first, field.last)) tell_number_shape(card, field, found);
  }
}

}  // namespace barlist::deck
