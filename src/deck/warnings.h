// Cards that read differently from what a detailer most likely meant. A
// warning never changes what the run computes or writes; it only tells.
// warnings.cpp holds the checks of whole records and of single fields,
// warnings_columns.cpp those of numbers and text one column off.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "deck/card.h"
#include "deck/cards.h"
#include "events/run_listener.h"
#include "records/input_channel.h"

namespace barlist::deck {

struct CardWarning {
  int column;  // first column of the field concerned
  std::string message;
  std::string note = {};                // what to do, at the same column; none when empty
  std::vector<events::Fix> fixes = {};  // their line is the card's, filled in when told
};

// Any card: a tab, text beyond column 80 (which no card reads), and but on a
// comment card a byte outside ASCII, which moves every field after it when it
// is one of several bytes of one character.
void check_record(std::string_view record, std::vector<CardWarning>& found);

// A carriage return not followed by a line feed: the deck's lines run
// together. True when one was found (a deck is told once).
bool check_line_ends(std::string_view record, std::vector<CardWarning>& found);

// A bar or store bar card: numbers punched at the left of their fields, which
// pass 1 reads as written and the bar table lists with trailing zeros; a
// number that runs across two fields; text in the columns no field reads; a
// written length beside a bar type or dimensions that it makes void.
void check_bar_card(const Card& card, const BarCard& bar, std::vector<CardWarning>& found);

// A recall bar card: a count punched at the left of its field, and text in
// the columns neither pass reads.
void check_recall_card(const Card& card, std::vector<CardWarning>& found);

// A vary bar card: a number that runs across two fields.
void check_vary_bar_card(const Card& card, std::vector<CardWarning>& found);

// A lump weight card: a number that runs across two fields, and text in the
// columns no field reads.
void check_lump_weight_card(const Card& card, std::vector<CardWarning>& found);

// A line-skip card whose count does not convert: the bar table stops there.
void check_line_skip_card(const records::InputChannel& deck, const Card& card, std::vector<CardWarning>& found);

// "punch the count right-justified in columns 13-16", or for a text field
// "keep the mark within columns 4-6".
std::string punch_note(const cards::CardField& field);

// Numbers that begin inside one whole-number field and end inside the next,
// as a number shifted by a column reads. Returns the fields on the right of
// each such border.
std::vector<const cards::CardField*> check_numbers_across_fields(const Card& card, std::vector<CardWarning>& found);

// Text in columns that a bar, store bar, recall bar or lump weight card does
// not read, and the bar table does not list either.
void check_unread_columns(const Card& card, std::vector<CardWarning>& found);

}  // namespace barlist::deck
