// Numbers off their place on the cards other than bar cards: a unit card's
// number of units shifted into the price or into the name, and a number
// punched at the left of its field or with a blank inside, where the report
// shows it otherwise than meant.
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "cards/descriptions.h"
#include "cards/wording.h"
#include "deck/warnings.h"

namespace barlist::deck {
namespace {

using cards::CardField;

bool is_digit(char c) { return c >= '0' && c <= '9'; }

char at(const Card& card, int column) { return card.text()[static_cast<std::size_t>(column - 1)]; }

std::string without_blanks(std::string_view field) {
  std::string digits;
  for (const char c : field) {
    if (c != ' ') digits += c;
  }
  return digits;
}

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

// The non-blank columns of a field as bits, bit 0 its first column: eight
// columns read as one word, as nearly every field is blank or neatly punched.
unsigned nonblank_bits(std::string_view card, const CardField& field) {
  const auto start = static_cast<std::size_t>(field.first - 1);
  const auto width = static_cast<std::size_t>(field.width());
  unsigned bits = 0;
  if (width > 8 || start + 8 > card.size()) {
    for (std::size_t i = 0; i < width; ++i) bits |= card[start + i] != ' ' ? 1u << i : 0u;
    return bits;
  }
  std::uint64_t word;
  std::memcpy(&word, card.data() + start, 8);
  word ^= 0x2020202020202020u;  // blanks become zero bytes
  // A byte's high bit set when it is not zero.
  const std::uint64_t nonzero = (((word & 0x7f7f7f7f7f7f7f7fu) + 0x7f7f7f7f7f7f7f7fu) | word) & 0x8080808080808080u;
  // Gathered into one byte, byte i to bit i, and cut to the field's width.
  bits = static_cast<unsigned>(((nonzero >> 7) * 0x0102040810204080u) >> 56);
  return bits & ((1u << width) - 1);
}

}  // namespace

void check_unit_card(const Card& card, const UnitCard& unit, std::vector<CardWarning>& found) {
  static constexpr CardField kName = cards::kUnitFields.named("unit name");
  static constexpr CardField kUnits = cards::kUnitFields.named("number of units");
  static constexpr CardField kPrice = cards::kUnitFields.named("price");
  const auto read = [&unit] { return ": read as " + units_text(unit.NOUNIT) + " at " + price_text(unit.UPRICE); };
  if (is_digit(at(card, kUnits.last)) && is_digit(at(card, kPrice.first))) {
    // One number across the border: where it starts and ends.
    int first = kUnits.last;
    while (first > kUnits.first && is_digit(at(card, first - 1))) --first;
    int last = kPrice.first;
    while (last < kPrice.last && is_digit(at(card, last + 1))) ++last;
    const std::string_view after = card.text().substr(static_cast<std::size_t>(last), kPrice.last - last);
    if (after.find_first_not_of(' ') != std::string_view::npos) return;  // a price of its own follows
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
    return;
  }
  // Shifted left: the name takes the number's first digit.
  if (is_digit(at(card, kName.last)) && is_digit(at(card, kUnits.first)) && at(card, kUnits.last) == ' ' &&
      at(card, kName.last - 1) == ' ') {
    CardWarning warning{kName.last,
                        "the number in " + cards::columns(kName.last, kUnits.first) + " begins in the unit name (" +
                            cards::column_span(kName.first, kName.last) + ")" + read(),
                        cards::punch_note(kUnits)};
    // Not safe: a unit name may end in a digit.
    const std::string digits{at(card, kName.last), at(card, kUnits.first)};
    warning.fixes.push_back({kName.last, kUnits.last, " " + digits, false});
    found.push_back(std::move(warning));
  }
}

void check_identification_card(const Card& card, const IdentificationCard& id, std::vector<CardWarning>& found) {
  static constexpr CardField kPrice = cards::kIdentificationFields.named("price");
  static constexpr CardField kTitle = cards::kIdentificationFields.named("title");
  if (!is_digit(at(card, kPrice.last)) || !is_digit(at(card, kTitle.first))) return;
  int first = kPrice.last;
  while (first > kPrice.first && is_digit(at(card, first - 1))) --first;
  int last = kTitle.first;
  while (last < kTitle.last && is_digit(at(card, last + 1))) ++last;
  if (at(card, last + 1) != ' ') return;  // a title that begins with a number
  CardWarning warning{first,
                      "the number in " + cards::columns(first, last) + " runs across the price (" +
                          cards::column_span(kPrice.first, kPrice.last) + ") and the title (" +
                          cards::column_span(kTitle.first, kTitle.last) + "): read as " + price_text(id.price),
                      cards::punch_note(kPrice)};
  // Not safe: a title may begin with a digit.
  const std::string digits(card.text().substr(static_cast<std::size_t>(first - 1), last - first + 1));
  if (const auto justified = right_justified(digits, kPrice.width())) {
    warning.fixes.push_back(
        {kPrice.first, last, *justified + std::string(static_cast<std::size_t>(last - kTitle.first + 1), ' '), false});
  }
  found.push_back(std::move(warning));
}

void check_number_shapes(const Card& card, std::vector<CardWarning>& found) {
  const cards::CardFields fields = cards::fields_of(card.kind());
  for (const CardField& field : fields) {
    if (!field.numeric) continue;
    const unsigned bits = nonblank_bits(card.text(), field);
    // Blank, or one run of characters that ends at the field's last column:
    // punched as meant, as nearly every field is.
    if (bits == 0 || bits + (bits & (~bits + 1)) == 1u << field.width()) continue;
    const auto first = static_cast<std::size_t>(std::countr_zero(bits));
    const unsigned run = bits >> first;
    const bool inner_blank = (run & (run + 1)) != 0;  // the non-blank columns are not one run
    // The bar table lists a vary bar's numbers as punched; elsewhere a
    // number at the left reads and shows as meant.
    if (!inner_blank && card.kind() != cards::CardKind::VaryBar) continue;
    const std::string digits = without_blanks(field.text(card.text()));
    CardWarning warning{field.first + static_cast<int>(first),
                        inner_blank ? "blank inside the " + std::string(field.name) + " (" + cards::columns(field) +
                                          "): read as " + digits
                                    : std::string(field.name) + " punched at the left of its field: read as " + digits +
                                          ", listed in the bar table as punched",
                        cards::punch_note(field)};
    if (const auto justified = right_justified(digits, field.width())) {
      warning.fixes.push_back({field.first, field.last, *justified, true, true});
    }
    found.push_back(std::move(warning));
  }
}

}  // namespace barlist::deck
