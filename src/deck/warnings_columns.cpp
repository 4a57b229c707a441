// Numbers and text one column off: a number that crosses the border of two
// fields, and text in columns that the card's kind does not read.
#include <algorithm>
#include <array>
#include <optional>

#include "cards/used_columns.h"
#include "cards/wording.h"
#include "deck/neat_card.h"
#include "deck/warnings.h"

namespace barlist::deck {
namespace {

using cards::CardField;
using cards::CardKind;

// The whole number a field reads, as written: blanks skipped, leading zeros
// dropped. Nothing when the field holds more than digits and blanks.
std::optional<std::string> whole_number_read(std::string_view field) {
  std::string digits;
  for (const char c : field) {
    if (c == ' ') continue;
    if (!is_digit(c)) return std::nullopt;
    if (digits == "0") digits.clear();
    digits += c;
  }
  return digits.empty() ? "0" : digits;
}

// The name a field goes by and a shorter label for its value: "dimension A"
// and "dimension B" become "dimensions A (27-32) and B (33-38)" with the
// labels A and B; other pairs "the count (13-16) and the lump weight (17-22)".
struct PairNames {
  std::string both;
  std::string left_label;
  std::string right_label;
};

PairNames pair_names(const CardField& left, const CardField& right) {
  const std::size_t l = left.name.find(' ');
  const std::size_t r = right.name.find(' ');
  const auto columns = [](const CardField& f) { return " (" + cards::column_span(f.first, f.last) + ")"; };
  if (l != std::string_view::npos && r != std::string_view::npos && left.name.substr(0, l) == right.name.substr(0, r)) {
    std::string left_label(left.name.substr(l + 1));
    std::string right_label(right.name.substr(r + 1));
    return {std::string(left.name.substr(0, l)) + "s " + left_label + columns(left) + " and " + right_label +
                columns(right),
            left_label, right_label};
  }
  return {"the " + std::string(left.name) + columns(left) + " and the " + std::string(right.name) + columns(right),
          std::string(left.name), std::string(right.name)};
}

// The two fields of a bar card's written length spell one six-digit number.
constexpr bool one_length(const CardField& left) {
  return left.name == cards::kBarFields.named("length in hundreds of mm").name;
}

// The whole-number fields of a kind that meet a whole-number field on their
// right, by index: where a number may run across a border. The six columns
// of a bar card's length are one number.
struct Borders {
  std::array<std::size_t, 24> left{};
  std::size_t count = 0;
};

constexpr Borders borders_of(CardKind kind) {
  const cards::CardFields fields = cards::fields_of(kind);
  Borders borders;
  for (std::size_t i = 0; i + 1 < fields.size(); ++i) {
    const CardField& left = fields[i];
    const CardField& right = fields[i + 1];
    if (left.last + 1 != right.first || !left.whole_number() || !right.whole_number() || one_length(left)) continue;
    borders.left.at(borders.count++) = i;
  }
  return borders;
}

inline constexpr auto kBorders = [] {
  std::array<Borders, cards::kKinds.size()> borders{};
  for (const cards::KindDescription& kind : cards::kKinds) {
    borders[static_cast<std::size_t>(kind.kind)] = borders_of(kind.kind);
  }
  return borders;
}();

// Columns `first` to `last` are not used; tells of the text in them, if any.
void check_gap(const Card& card, int first, int last, std::vector<CardWarning>& found) {
  const std::string_view gap =
      card.text().substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(last - first + 1));
  const std::size_t begin = gap.find_first_not_of(' ');
  if (begin == std::string_view::npos) return;
  const int from = first + static_cast<int>(begin);
  const int to = first + static_cast<int>(gap.find_last_not_of(' '));
  const cards::CardFields fields = cards::fields_of(card.kind());
  const CardField* before = fields.at_column(first - 1);
  const CardField* after = last < cards::kCardColumns ? fields.at_column(last + 1) : nullptr;
  std::string message = cards::columns(from, to) + (from == to ? " is" : " are") + " not read on a " +
                        std::string(cards::kind_name(card.kind()));
  const bool shifted_left = after != nullptr && (to == last || before == nullptr);
  // Text that fills the columns tells no direction.
  const CardField* shifted = from == first && to == last ? nullptr : shifted_left ? after : before;
  std::string note = "leave " + cards::columns(first, last) + " blank";
  std::vector<CardFix> fixes;
  if (shifted != nullptr) {
    message += ": is the " + std::string(shifted->name) + " (" + cards::columns(*shifted) + ") shifted " +
               (shifted_left ? "left?" : "right?");
    note = cards::punch_note(*shifted);
    if (shifted->whole_number()) {
      // Back into its field: the field and the columns it spilled into
      // hold its digits alone.
      const int begin_at = shifted_left ? from : shifted->first;
      const int end_at = shifted_left ? shifted->last : to;
      const std::string_view spilled =
          card.text().substr(static_cast<std::size_t>(begin_at - 1), static_cast<std::size_t>(end_at - begin_at + 1));
      std::string digits;
      for (const char c : spilled) {
        if (c != ' ') digits += c;
      }
      // One number: its digits side by side, no blank between.
      const std::size_t lead = spilled.find_first_not_of(' ');
      const std::size_t tail = spilled.find_last_not_of(' ');
      const bool only_digits = std::all_of(digits.begin(), digits.end(), is_digit) && lead != std::string_view::npos &&
                               spilled.substr(lead, tail - lead + 1).find(' ') == std::string_view::npos;
      if (const auto read = whole_number_read(shifted->text(card.text()))) {
        message += " It reads as " + *read;
        if (only_digits && !digits.empty() && digits != *read) message += ", not " + digits;
      }
      if (const auto justified = right_justified(digits, shifted->width()); justified && only_digits) {
        const std::string blanks(static_cast<std::size_t>(end_at - begin_at + 1 - shifted->width()), ' ');
        fixes.push_back({begin_at, end_at, shifted_left ? blanks + *justified : *justified + blanks, true});
      }
    }
  }
  found.push_back({from, std::move(message), std::move(note), std::move(fixes)});
}

}  // namespace

std::vector<const CardField*> check_numbers_across_fields(const Card& card, std::vector<CardWarning>& found) {
  std::vector<const CardField*> crossed;
  const cards::CardFields fields = cards::fields_of(card.kind());
  const Borders& borders = kBorders[static_cast<std::size_t>(card.kind())];
  for (std::size_t b = 0; b < borders.count; ++b) {
    const CardField& left = fields[borders.left[b]];
    const CardField& right = fields[borders.left[b] + 1];
    if (!is_digit(card.at(left.last)) || !is_digit(card.at(right.first))) continue;
    int first = left.last;
    while (first > left.first && is_digit(card.at(first - 1))) --first;
    int last = right.first;
    while (last < right.last && is_digit(card.at(last + 1))) ++last;
    // Blank before the number inside the left field and after it inside the
    // right: fields filled to their edges are two numbers side by side.
    if (first == left.first || card.at(first - 1) != ' ' || last == right.last || card.at(last + 1) != ' ') continue;
    const auto left_value = whole_number_read(left.text(card.text()));
    const auto right_value = whole_number_read(right.text(card.text()));
    if (!left_value || !right_value) continue;
    const PairNames names = pair_names(left, right);
    // All its digits in the field that holds most of them, right-justified,
    // where the rest of that field is blank.
    std::vector<CardFix> fixes;
    const std::string digits(
        card.text().substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(last - first + 1)));
    const int in_left = left.last - first + 1;
    const int in_right = last - right.first + 1;
    std::string both(card.text().substr(static_cast<std::size_t>(left.first - 1),
                                        static_cast<std::size_t>(right.last - left.first + 1)));
    const auto column_of = [&](int column) -> char& { return both[static_cast<std::size_t>(column - left.first)]; };
    for (int column = first; column <= last; ++column) column_of(column) = ' ';
    const CardField& home = in_left > in_right ? left : right;
    const std::string_view rest(both.data() + (home.first - left.first), static_cast<std::size_t>(home.width()));
    if (in_left != in_right && rest.find_first_not_of(' ') == std::string_view::npos) {
      if (const auto justified = right_justified(digits, home.width())) {
        for (int i = 0; i < home.width(); ++i) column_of(home.first + i) = (*justified)[static_cast<std::size_t>(i)];
        fixes.push_back({left.first, right.last, both, true});
      }
    }
    found.push_back({first,
                     "the number in " + cards::columns(first, last) + " runs across " + names.both + ": read as " +
                         names.left_label + " = " + *left_value + ", " + names.right_label + " = " + *right_value,
                     "punch each number right-justified in its own field: the " + std::string(left.name) + " ends at " +
                         cards::columns(left.last, left.last),
                     std::move(fixes)});
    crossed.push_back(&right);
  }
  return crossed;
}

void check_unread_columns(const Card& card, std::vector<CardWarning>& found) {
  if (!carries_quantities(card.kind())) return;
  // Nearly every card leaves them blank: compared at once with blanks.
  static constexpr std::string_view kBlanks(
      "                                                                                ");
  static_assert(kBlanks.size() == cards::kCardColumns);
  for (const cards::ColumnRun& run : cards::unused_runs_of(card.kind())) {
    const auto first = static_cast<std::size_t>(run.first - 1);
    const auto width = static_cast<std::size_t>(run.last - run.first + 1);
    if (card.text().substr(first, width) != kBlanks.substr(0, width)) check_gap(card, run.first, run.last, found);
  }
}

}  // namespace barlist::deck
