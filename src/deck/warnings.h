// Cards that read differently from what a detailer most likely meant. A
// warning never changes what the run computes or writes; it only tells.
// warnings.cpp holds the checks of whole records and of single fields,
// warnings_columns.cpp those of numbers and text one column off.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "deck/card.h"
#include "deck/cards.h"
#include "events/run_listener.h"
#include "records/input_channel.h"

namespace barlist::deck {

// An edit of the card that mends a warning; its line is the card's.
struct CardFix {
  int first_column;
  int last_column;
  std::string text;  // the new text of those columns
  bool safe;
  bool keeps_values = false;
};

struct CardWarning {
  int column;  // first column of the field concerned
  std::string message;
  std::string note = {};  // what to do, at the same column; none when empty
  std::vector<CardFix> fixes = {};
};

// The digits of a number right-justified in `width` columns; none when they
// do not fit.
std::optional<std::string> right_justified(std::string_view digits, int width);

// The checks of slips, up to check_unread_columns, find nothing on a neatly
// punched card (deck/neat_card.h): pass 1 runs them only on cards that are
// not, as nearly every card is.

// Any card: a tab, text beyond column 80 (which no card reads), and but on a
// comment card a byte outside ASCII, which moves every field after it when it
// is one of several bytes of one character.
void check_record(std::string_view record, std::vector<CardWarning>& found);

// A carriage return not followed by a line feed: the deck's lines run
// together. True when one was found (a deck is told once).
bool check_line_ends(std::string_view record, std::vector<CardWarning>& found);

// A bar or store bar card: numbers punched at the left of their fields, which
// pass 1 reads as written and the bar table lists with trailing zeros; a
// number that runs across two fields; text in the columns no field reads.
void check_bar_card(const Card& card, const BarCard& bar, std::vector<CardWarning>& found);

// A recall bar card: a count punched at the left of its field, and text in
// the columns neither pass reads.
void check_recall_card(const Card& card, std::vector<CardWarning>& found);

// A vary bar card: a number that runs across two fields, or else one punched
// at the left of its field or with a blank inside.
void check_vary_bar_card(const Card& card, std::vector<CardWarning>& found);

// A lump weight card: a number that runs across two fields (or else one with
// a blank inside), and text in the columns no field reads.
void check_lump_weight_card(const Card& card, std::vector<CardWarning>& found);

// An identification card: a price across the border with the title, or
// with a blank inside.
void check_identification_card(const Card& card, const IdentificationCard& id, std::vector<CardWarning>& found);

// A unit card: its number of units across the border with the price, or
// begun in the name, and its price run into the description, told with the
// units and price barlist read; else the shapes of its numbers.
void check_unit_card(const Card& card, const UnitCard& unit, std::vector<CardWarning>& found);

// A number with a blank inside, or punched at the left where the bar table
// copies it as punched (a unit card's number of units, a vary bar's count,
// a bar card's type, T1, T2, N1 and angle).
void check_number_shape(const Card& card, const cards::CardField& field, std::vector<CardWarning>& found);
void tell_number_shape(const Card& card, const cards::CardField& field, std::vector<CardWarning>& found);

// The same for every number field of a card other than a bar card.
void check_number_shapes(const Card& card, std::vector<CardWarning>& found);

// A bar or store bar card: the same for the fields the bar table lists as
// punched, but those `crossed` already tells of.
void check_listed_numbers(const Card& card, const std::vector<const cards::CardField*>& crossed,
                          std::vector<CardWarning>& found);

// A vary bar card: its count begun in the columns the bar table lists as its
// length, or its average length run into those it lists as its bar type.
// True when the count was told of.
bool check_vary_bar_borders(const Card& card, std::vector<CardWarning>& found);

// A card whose fields from some column on stand one column off, as a blank
// inserted or a character dropped leaves them: several of its numbers out of
// shape, all of them neat once the card is re-punched one column back. The
// fixes of its other warnings, which mend one field at a time, are then no
// longer safe. Looked for only on a card with two warnings or more.
void find_card_shift(const Card& card, std::vector<CardWarning>& found);
inline void check_card_shift(const Card& card, std::vector<CardWarning>& found) {
  if (found.size() >= 2) find_card_shift(card, found);
}

// The fix of a tab in column `tab` (0-based): blanks in its place that bring
// the text after it to the field it most likely belongs to.
std::vector<CardFix> tab_fixes(std::string_view record, std::size_t tab);

// A line-skip card whose count does not convert: the bar table stops there.
void check_line_skip_card(const Card& card, std::vector<CardWarning>& found);

// A line-skip count run into the column after its field, which is not read.
void check_line_skip_spill(const Card& card, std::vector<CardWarning>& found);

// Numbers that begin inside one whole-number field and end inside the next,
// as a number shifted by a column reads. Returns the fields on the right of
// each such border.
std::vector<const cards::CardField*> check_numbers_across_fields(const Card& card, std::vector<CardWarning>& found);

// Text in columns that a bar, store bar, recall bar or lump weight card does
// not read, and the bar table does not list either.
void check_unread_columns(const Card& card, std::vector<CardWarning>& found);

// The checks below look at what a card says, neat or not.

// A bar or store bar card: a written length beside a bar type or dimensions
// that it makes void.
void check_written_length(const Card& card, const BarCard& bar, std::vector<CardWarning>& found);

// An identification card: a price across the border with the title.
void check_identification_card(const Card& card, const IdentificationCard& id, std::vector<CardWarning>& found);

// A unit card: its number of units across the border with the price, or
// begun in the name, told with the units and price barlist read.
void check_unit_card(const Card& card, const UnitCard& unit, std::vector<CardWarning>& found);

// A line-skip card whose count does not convert: the bar table stops there.
void check_line_skip_card(const Card& card, std::vector<CardWarning>& found);

}  // namespace barlist::deck
