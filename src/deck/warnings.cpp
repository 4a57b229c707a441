#include "deck/warnings.h"

#include <algorithm>

#include "cards/decode.h"
#include "cards/descriptions.h"
#include "cards/wording.h"
#include "cards/zero_fill.h"
#include "deck/number_shapes.h"
#include "records/fatal.h"
#include "records/text.h"

namespace barlist::deck {
namespace {

using cards::CardField;
using cards::kBarFields;

// The digits pass 1 reads: blanks inside a number are ignored.
std::string as_read(std::string_view field) {
  std::string digits;
  for (const char c : field) {
    if (c != ' ') digits += c;
  }
  return digits;
}

// A field whose zero-filled form differs from what is punched: a digit is
// followed by a blank.
template <std::size_t N>
void check_left_punched(const Card& card, const CardField& field, std::vector<CardWarning>& found) {
  const std::string_view punched = field.text(card.text());
  const auto listed = cards::zero_filled<N>(punched);
  if (std::string_view(listed.data(), N) == punched) return;
  const std::string digits = as_read(punched);
  const std::string shape = number_shape(card.text(), field) == NumberShape::BlankInside
                                ? "blank inside the " + std::string(field.name) + " (" + cards::columns(field) + ")"
                                : std::string(field.name) + " punched at the left of its field";
  found.push_back(
      {field.first,
       shape + ": read as " + digits + ", listed in the bar table as " + records::trimmed({listed.data(), N}),
       cards::punch_note(field)});
  // What barlist read, right-justified: every value stays.
  if (const auto justified = right_justified(digits, field.width())) {
    found.back().fixes.push_back({field.first, field.last, *justified, true, true});
  }
}

// Fields already told of as the right half of a number across two fields
// are passed over: their blanks are the number's doing.
void check_zero_filled_fields(const Card& card, const cards::CardFields& fields,
                              const std::vector<const CardField*>& crossed, std::vector<CardWarning>& found) {
  for (const std::string_view name : cards::kZeroFilledFields) {
    const CardField* field = nullptr;
    for (const CardField& f : fields) {
      if (f.name == name) field = &f;
    }
    if (field == nullptr || std::find(crossed.begin(), crossed.end(), field) != crossed.end()) continue;
    if (field->width() == 4) check_left_punched<4>(card, *field, found);
    if (field->width() == 6) check_left_punched<6>(card, *field, found);
  }
}

// The bytes of the UTF-8 character that starts at `at`; 1 when the bytes
// there are not one.
int character_bytes(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const std::size_t n = lead >= 0xF8 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  if (at + n > text.size()) return 1;
  for (std::size_t i = 1; i < n; ++i) {
    if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 1;
  }
  return static_cast<int>(n);
}

// The plain letter for a Latin-1 letter written in UTF-8 (U for Ü); none
// for other characters.
char plain_letter(std::string_view text, std::size_t at) {
  static constexpr std::string_view kLatin1Letters = "AAAAAAACEEEEIIIIDNOOOOO OUUUUYTsaaaaaaaceeeeiiiidnooooo ouuuuyty";
  if (character_bytes(text, at) != 2) return ' ';
  const unsigned code =
      (static_cast<unsigned char>(text[at]) & 0x1Fu) << 6 | (static_cast<unsigned char>(text[at + 1]) & 0x3Fu);
  return code >= 0xC0 && code <= 0xFF ? kLatin1Letters[code - 0xC0] : ' ';
}

void check_non_ascii(std::string_view record, std::vector<CardWarning>& found) {
  const std::string_view card = record.substr(0, std::min(record.size(), kCardColumns));
  const auto high =
      std::find_if(card.begin(), card.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
  if (high == card.end()) return;
  const auto at = static_cast<std::size_t>(high - card.begin());
  const std::string column = std::to_string(at + 1);
  const int bytes = character_bytes(record, at);
  static constexpr std::string_view kHowMany[] = {"", "one column", "two columns", "three columns"};
  // In the card's last field nothing follows but the rest of that field.
  const cards::CardFields fields = cards::fields_of(cards::kind_of(record[0]));
  const int first = static_cast<int>(at) + 1;
  const bool field_after =
      std::any_of(fields.begin(), fields.end(), [first](const CardField& f) { return f.first > first; });
  const CardField* holder = fields.at_column(first);
  const std::string moved =
      field_after || holder == nullptr ? "every field after it" : "the rest of the " + std::string(holder->name);
  std::string message = bytes == 1 ? "non-ASCII byte in column " + column +
                                         ": it is not a whole character, and may show as other than it reads"
                                   : "non-ASCII character in column " + column + ": it takes " + std::to_string(bytes) +
                                         " columns (columns count bytes), so " + moved + " is read " +
                                         std::string(kHowMany[bytes - 1]) + " to the right";
  std::string note = "punch the card in plain ASCII";
  std::vector<CardFix> fixes;
  if (const char letter = plain_letter(record, at); letter != ' ') {
    note += " (" + std::string(1, letter) + " for " + std::string(record.substr(at, 2)) + ")";
    // Its plain letter in one column moves the rest of the card back.
    fixes.push_back({static_cast<int>(at) + 1, static_cast<int>(at) + 2, std::string(1, letter), false});
  }
  found.push_back({static_cast<int>(at) + 1, std::move(message), std::move(note), std::move(fixes)});
}

}  // namespace

std::optional<std::string> right_justified(std::string_view digits, int width) {
  const auto w = static_cast<std::size_t>(width);
  if (digits.empty() || digits.size() > w) return std::nullopt;
  return std::string(w - digits.size(), ' ') + std::string(digits);
}

void check_record(std::string_view record, std::vector<CardWarning>& found) {
  const std::size_t tab = record.find('\t');
  if (tab != std::string_view::npos && tab < kCardColumns) {
    found.push_back({static_cast<int>(tab) + 1, "tab in the card: it is one column, not blanks to a tab stop",
                     "punch blanks in place of the tab", tab_fixes(record, tab)});
  }
  if (record.size() > kCardColumns) {
    const std::size_t text = record.find_first_not_of(' ', kCardColumns);
    if (text != std::string_view::npos) {
      static const std::string kLast = std::to_string(kCardColumns);
      found.push_back({static_cast<int>(text) + 1, "text beyond column " + kLast + " is ignored",
                       "keep each card within " + kLast + " columns"});
    }
  }
  if (!record.empty() && cards::kind_of(record[0]) != cards::CardKind::Comment) check_non_ascii(record, found);
}

bool check_line_ends(std::string_view record, std::vector<CardWarning>& found) {
  const std::size_t cr = record.find('\r');
  if (cr == std::string_view::npos) return false;
  found.push_back({static_cast<int>(cr) + 1,
                   "the deck has carriage returns without line feeds: the lines they end read as one card",
                   "save the deck with line feeds (Unix) or CR LF line ends"});
  return true;
}

void check_bar_card(const Card& card, const BarCard& bar, std::vector<CardWarning>& found) {
  static constexpr CardField kHundreds = kBarFields.named("length in hundreds of mm");
  static constexpr CardField kMillimetres = kBarFields.named("length in mm");
  const std::string_view length = card.text().substr(kHundreds.first - 1, kMillimetres.last - kHundreds.first + 1);
  const std::size_t first_digit = length.find_first_not_of(' ');
  if (first_digit != std::string_view::npos && length.find(' ', first_digit) != std::string_view::npos) {
    const int mm = static_cast<int>(bar.shape.LFT) * 100 + static_cast<int>(bar.shape.LIN);
    found.push_back({kHundreds.first,
                     "length punched at the left of " + cards::columns_to(kHundreds.first, kMillimetres.last) +
                         ": read as " + std::to_string(mm) + " mm (hundreds in " +
                         cards::column_range(kHundreds.first, kHundreds.last) + ", millimetres in " +
                         std::to_string(kMillimetres.first) + " and " + std::to_string(kMillimetres.last) + ")",
                     "punch all six digits of the length, with leading zeros or blanks: 012450 for 12450 mm"});
    if (const auto justified = right_justified(std::to_string(mm), kMillimetres.last - kHundreds.first + 1)) {
      found.back().fixes.push_back({kHundreds.first, kMillimetres.last, *justified, true, true});
    }
  }
  const std::vector<const CardField*> crossed = check_numbers_across_fields(card, found);
  check_zero_filled_fields(card, kBarFields, crossed, found);
  check_listed_numbers(card, crossed, found);
  check_unread_columns(card, found);
}

void check_written_length(const Card& card, const BarCard& bar, std::vector<CardWarning>& found) {
  static constexpr CardField kHundreds = kBarFields.named("length in hundreds of mm");
  static constexpr CardField kMillimetres = kBarFields.named("length in mm");
  if (bar.shape.LFT + bar.shape.LIN > 0) {
    static constexpr int kType = kBarFields.named("bar type").first;
    const std::size_t shape = card.text().find_first_not_of(' ', kType - 1);
    if (shape != std::string_view::npos) {
      const int column = static_cast<int>(shape) + 1;
      const CardField* field = kBarFields.at_column(column);
      found.push_back({field != nullptr ? field->first : column,
                       "a written length is given: the bar type and "
                       "dimensions from column " +
                           std::to_string(kType) + " are ignored",
                       "leave " + cards::columns_to(kHundreds.first, kMillimetres.last) +
                           " blank to have the length worked out from the bar type"});
    }
  }
  check_card_shift(card, found);
}

void check_recall_card(const Card& card, std::vector<CardWarning>& found) {
  check_zero_filled_fields(card, cards::kRecallFields, {}, found);
  check_unread_columns(card, found);
  check_card_shift(card, found);
}

void check_vary_bar_card(const Card& card, std::vector<CardWarning>& found) {
  const bool across = !check_numbers_across_fields(card, found).empty();
  if (!check_vary_bar_borders(card, found) && !across) check_number_shapes(card, found);
  check_card_shift(card, found);
}

void check_lump_weight_card(const Card& card, std::vector<CardWarning>& found) {
  if (check_numbers_across_fields(card, found).empty()) check_number_shapes(card, found);
  check_unread_columns(card, found);
  check_card_shift(card, found);
}

void check_line_skip_card(const Card& card, std::vector<CardWarning>& found) {
  check_line_skip_spill(card, found);
  cards::LineSkipCard skip;
  if (cards::decode(cards::kLineSkip, card.text(), skip).ok()) return;
  static constexpr CardField kCount = cards::kLineSkipFields.named("lines to skip");
  found.push_back({kCount.first,
                   "the line-skip count \"" + std::string(kCount.text(card.text())) + "\" (" + cards::columns(kCount) +
                       ") is not a number: the bar table stops at this card with an input conversion error",
                   cards::punch_right(kCount, "the number of lines")});
}

}  // namespace barlist::deck
