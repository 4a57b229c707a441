#include "deck/warnings.h"

#include <algorithm>

#include "deck/card_columns.h"
#include "records/text.h"
#include "reports/zero_fill.h"

namespace barlist::deck {
namespace {

// The first column of each field of a bar card from the bar type on.
constexpr int kShapeFieldColumns[] = {23, 25, 26, 27, 33, 39, 45, 51, 57, 63, 69, 75, 78};

std::string_view columns(const Card& card, int first, int width) {
  return card.text().substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(width));
}

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
void check_left_punched(const Card& card, int first, std::string_view what, std::vector<CardWarning>& found) {
  const std::string_view field = columns(card, first, static_cast<int>(N));
  const auto listed = reports::zero_filled<N>(field);
  if (std::string_view(listed.data(), N) == field) return;
  found.push_back({first, std::string(what) + " punched at the left of its field: read as " + as_read(field) +
                              ", listed in the bar table as " + records::trimmed({listed.data(), N})});
}

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
  const std::string_view length = columns(card, kLengthColumn, 6);
  const std::size_t first_digit = length.find_first_not_of(' ');
  if (first_digit != std::string_view::npos && length.find(' ', first_digit) != std::string_view::npos) {
    const int mm = static_cast<int>(bar.shape.LFT) * 100 + static_cast<int>(bar.shape.LIN);
    found.push_back({kLengthColumn, "length punched at the left of columns 7 to 12: read as " + std::to_string(mm) +
                                        " mm (hundreds in 7 to 10, millimetres in 11 and 12)"});
  }
  check_left_punched<4>(card, kCountColumn, "count", found);
  for (int d = 0; d < 6; ++d) {
    const std::string what = std::string("dimension ") + static_cast<char>('A' + d);
    check_left_punched<6>(card, kFirstDimensionColumn + 6 * d, what, found);
  }
  if (bar.shape.LFT + bar.shape.LIN > 0) {
    const std::size_t shape = card.text().find_first_not_of(' ', kTypeColumn - 1);
    if (shape != std::string_view::npos) {
      const int column = static_cast<int>(shape) + 1;
      const int field =
          *std::prev(std::upper_bound(std::begin(kShapeFieldColumns), std::end(kShapeFieldColumns), column));
      found.push_back({field, "a written length is given: the bar type and dimensions from column 23 are ignored"});
    }
  }
}

void check_recall_card(const Card& card, std::vector<CardWarning>& found) {
  check_left_punched<4>(card, kCountColumn, "count", found);
}

}  // namespace barlist::deck
