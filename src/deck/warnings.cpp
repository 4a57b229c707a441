#include "deck/warnings.h"

#include "cards/card_fields.h"
#include "cards/zero_fill.h"
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
  found.push_back({field.first, std::string(field.name) + " punched at the left of its field: read as " +
                                    as_read(punched) + ", listed in the bar table as " +
                                    records::trimmed({listed.data(), N})});
}

void check_zero_filled_fields(const Card& card, const cards::CardFields& fields, std::vector<CardWarning>& found) {
  for (const std::string_view name : cards::kZeroFilledFields) {
    const CardField* field = nullptr;
    for (const CardField& f : fields) {
      if (f.name == name) field = &f;
    }
    if (field == nullptr) continue;
    if (field->width() == 4) check_left_punched<4>(card, *field, found);
    if (field->width() == 6) check_left_punched<6>(card, *field, found);
  }
}

std::string columns_text(int first, int last) { return std::to_string(first) + " to " + std::to_string(last); }

}  // namespace

void check_record(std::string_view record, std::vector<CardWarning>& found) {
  const std::size_t tab = record.find('\t');
  if (tab != std::string_view::npos && tab < kCardColumns) {
    found.push_back({static_cast<int>(tab) + 1, "tab in the card: it is one column, not blanks to a tab stop"});
  }
  if (record.size() > kCardColumns) {
    const std::size_t text = record.find_first_not_of(' ', kCardColumns);
    if (text != std::string_view::npos) {
      found.push_back({static_cast<int>(text) + 1, "text beyond column 80 is ignored"});
    }
  }
}

void check_bar_card(const Card& card, const BarCard& bar, std::vector<CardWarning>& found) {
  static constexpr CardField kHundreds = kBarFields.named("length in hundreds of mm");
  static constexpr CardField kMillimetres = kBarFields.named("length in mm");
  const std::string_view length = card.text().substr(kHundreds.first - 1, kMillimetres.last - kHundreds.first + 1);
  const std::size_t first_digit = length.find_first_not_of(' ');
  if (first_digit != std::string_view::npos && length.find(' ', first_digit) != std::string_view::npos) {
    const int mm = static_cast<int>(bar.shape.LFT) * 100 + static_cast<int>(bar.shape.LIN);
    found.push_back(
        {kHundreds.first, "length punched at the left of columns " + columns_text(kHundreds.first, kMillimetres.last) +
                              ": read as " + std::to_string(mm) + " mm (hundreds in " +
                              columns_text(kHundreds.first, kHundreds.last) + ", millimetres in " +
                              std::to_string(kMillimetres.first) + " and " + std::to_string(kMillimetres.last) + ")"});
  }
  check_zero_filled_fields(card, kBarFields, found);
  if (bar.shape.LFT + bar.shape.LIN > 0) {
    static constexpr int kType = kBarFields.named("bar type").first;
    const std::size_t shape = card.text().find_first_not_of(' ', kType - 1);
    if (shape != std::string_view::npos) {
      const int column = static_cast<int>(shape) + 1;
      const CardField* field = kBarFields.at_column(column);
      found.push_back({field != nullptr ? field->first : column,
                       "a written length is given: the bar type and "
                       "dimensions from column " +
                           std::to_string(kType) + " are ignored"});
    }
  }
}

void check_recall_card(const Card& card, std::vector<CardWarning>& found) {
  check_zero_filled_fields(card, cards::kRecallFields, found);
}

}  // namespace barlist::deck
