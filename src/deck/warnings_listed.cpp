// Numbers out of their place where the bar table copies a card's columns as
// punched: the bar card fields it lists without zero filling, a vary bar
// card's count begun among the columns it lists as the length or its average
// length run into those it lists as the bar type, and a line-skip count run
// past its field.
#include <algorithm>
#include <array>

#include "cards/descriptions.h"
#include "cards/wording.h"
#include "cards/zero_fill.h"
#include "deck/number_shapes.h"
#include "deck/warnings.h"

namespace barlist::deck {
namespace {

using cards::CardField;
using cards::kBarFields;

constexpr CardField kHundreds = kBarFields.named("length in hundreds of mm");
constexpr CardField kMillimetres = kBarFields.named("length in mm");

// The bar card's number fields after its length that the bar table lists as
// punched: more than one column wide, and not zero-filled.
constexpr bool listed_field(const CardField& field) {
  if (!field.numeric || field.width() < 2 || field.first <= kMillimetres.last) return false;
  return std::none_of(std::begin(cards::kZeroFilledFields), std::end(cards::kZeroFilledFields),
                      [&field](std::string_view name) { return name == field.name; });
}

struct ListedFields {
  std::array<CardField, 8> fields{};
  std::size_t count = 0;
};

constexpr ListedFields kListed = [] {
  ListedFields listed;
  for (const CardField& field : kBarFields) {
    if (listed_field(field)) listed.fields.at(listed.count++) = field;
  }
  return listed;
}();

// A number run from `left` into `right` (columns first to last): it begins
// after a blank inside `left` and ends before one inside `right`.
struct Run {
  int first;
  int last;
};
std::optional<Run> run_across(const Card& card, int left_first, int left_last, const CardField& right) {
  if (!is_digit(card.at(left_last)) || !is_digit(card.at(right.first))) return std::nullopt;
  int first = left_last;
  while (first > left_first && is_digit(card.at(first - 1))) --first;
  int last = right.first;
  while (last < right.last && is_digit(card.at(last + 1))) ++last;
  if (first == left_first || card.at(first - 1) != ' ' || last == right.last || card.at(last + 1) != ' ')
    return std::nullopt;
  return Run{first, last};
}

bool blank(const Card& card, int first, int last) {
  return first > last ||
         card.text()
                 .substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(last - first + 1))
                 .find_first_not_of(' ') == std::string_view::npos;
}

std::string digits_of(const Card& card, Run run) {
  return std::string(
      card.text().substr(static_cast<std::size_t>(run.first - 1), static_cast<std::size_t>(run.last - run.first + 1)));
}

}  // namespace

void check_listed_numbers(const Card& card, const std::vector<const CardField*>& crossed,
                          std::vector<CardWarning>& found) {
  for (std::size_t i = 0; i < kListed.count; ++i) {
    const CardField& field = kListed.fields[i];
    if (blank_or_neat(card.text(), field.first, field.last)) continue;  // nearly every field
    // Told of already: as the right half of a number across two fields, or
    // as shifted left out of the unread columns before it.
    const bool told =
        std::any_of(crossed.begin(), crossed.end(), [&field](const CardField* f) { return f->first == field.first; }) ||
        (kBarFields.at_column(field.first - 1) == nullptr && card.at(field.first - 1) != ' ');
    if (!told) tell_number_shape(card, field, found);
  }
}

bool check_vary_bar_borders(const Card& card, std::vector<CardWarning>& found) {
  static constexpr CardField kCount = cards::kVaryBarFields.named("count");
  static constexpr CardField kLength = cards::kVaryBarFields.named("average length");
  // The bar card's field after the columns of the average length.
  static constexpr const CardField* kType = kBarFields.at_column(kLength.last + 1);
  // Nearly every vary bar card: no digits on both sides of the count's
  // border, and its length and bar type side by side (a run into the type's
  // two columns ends at its first).
  static_assert(kType->width() == 2);
  static constexpr int kLengthLast = kMillimetres.last;
  if (!(is_digit(card.at(kLengthLast)) && is_digit(card.at(kCount.first))) &&
      !(is_digit(card.at(kLength.last)) && is_digit(card.at(kType->first)) && card.at(kType->last) == ' '))
    return false;
  bool count_told = false;
  // The count begun in the columns listed as the length: as many of its
  // digits in the count or more (a length of a digit or two is no length).
  if (const auto run = run_across(card, kHundreds.first, kMillimetres.last, kCount)) {
    const int in_count = run->last - kCount.first + 1;
    if (in_count >= kCount.first - run->first) {
      const std::string digits = digits_of(card, *run);
      CardWarning warning{run->first,
                          "the number in " + cards::columns(run->first, run->last) +
                              " begins in the columns the bar table lists as the length (" +
                              cards::column_span(kHundreds.first, kMillimetres.last) + "): the count (" +
                              cards::column_span(kCount.first, kCount.last) + ") reads as " +
                              without_blanks(kCount.text(card.text())) + ", not " + digits,
                          cards::punch_note(kCount)};
      // Back in the count, where the length columns hold nothing else.
      const auto justified = right_justified(digits, kCount.width());
      if (justified && blank(card, kHundreds.first, run->first - 1)) {
        warning.fixes.push_back(
            {kHundreds.first, kCount.last,
             std::string(static_cast<std::size_t>(kMillimetres.last - kHundreds.first + 1), ' ') + *justified, true});
      }
      found.push_back(std::move(warning));
      count_told = true;
    }
  }
  // The average length run into the columns listed as the bar type: most of
  // its digits in the length.
  if (const auto run = run_across(card, kLength.first, kLength.last, *kType)) {
    const int in_type = run->last - kType->first + 1;
    if (kLength.last - run->first + 1 > in_type) {
      const std::string digits = digits_of(card, *run);
      CardWarning warning{run->first,
                          "the number in " + cards::columns(run->first, run->last) + " runs into the columns the " +
                              "bar table lists as the bar type (" + cards::column_span(kType->first, kType->last) +
                              "): the average length (" + cards::column_span(kLength.first, kLength.last) +
                              ") reads as " + without_blanks(kLength.text(card.text())) + ", not " + digits,
                          cards::punch_note(kLength)};
      const auto justified = right_justified(digits, kLength.width());
      if (justified && blank(card, run->last + 1, kType->last)) {
        warning.fixes.push_back({kLength.first, kType->last,
                                 *justified + std::string(static_cast<std::size_t>(kType->width()), ' '), true});
      }
      found.push_back(std::move(warning));
    }
  }
  return count_told;
}

void check_line_skip_spill(const Card& card, std::vector<CardWarning>& found) {
  static constexpr CardField kCount = cards::kLineSkipFields.named("lines to skip");
  constexpr int kAfter = kCount.last + 1;
  if (!is_digit(card.at(kAfter))) return;  // nearly every line-skip card
  int first = kAfter;
  while (first > kCount.first && is_digit(card.at(first - 1))) --first;
  int last = kAfter;
  while (last < cards::kCardColumns && is_digit(card.at(last + 1))) ++last;
  // One number: blanks before it in the field and after it on the card.
  if (!blank(card, kCount.first, first - 1) || (last < cards::kCardColumns && card.at(last + 1) != ' ')) return;
  const Run run{first, last};
  const std::string digits = digits_of(card, run);
  const std::string read = without_blanks(kCount.text(card.text()));
  CardWarning warning{kAfter,
                      cards::columns(kAfter, last) + (kAfter == last ? " is" : " are") + " not read on a " +
                          std::string(cards::kind_name(card.kind())) + ": is the " + std::string(kCount.name) + " (" +
                          cards::columns(kCount) + ") shifted right? It reads as " + (read.empty() ? "0" : read) +
                          ", not " + digits,
                      cards::punch_right(kCount, "the number of lines")};
  // Back in its field: the columns it ran into hold nothing else.
  if (const auto justified = right_justified(digits, kCount.width())) {
    warning.fixes.push_back(
        {kCount.first, last, *justified + std::string(static_cast<std::size_t>(last - kCount.last), ' '), true});
  }
  found.push_back(std::move(warning));
}

}  // namespace barlist::deck
