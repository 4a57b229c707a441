// What the deck reader tells as it reads: each event is one fact found in
// deck order, with the line of the deck it comes from. The quantities file,
// the console, the diagnostics and the exports are listeners; the reader
// decides and tells, a listener only writes. Texts are views into the
// reader's buffers, valid during the call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cards/card_kind.h"
#include "events/deck_errors.h"
#include "geometry/bar_shape.h"

namespace barlist::events {

using Line = std::uint64_t;  // 1-based line of the deck file

// A valid identification card opened problem `index` (1, 2, ... in deck order).
struct ProblemOpened {
  Line line;
  std::size_t index;
  std::string_view number;  // 4 characters as punched
  std::string_view title;   // 68 characters
  float price_per_kg;
};

// A vary bar card as decoded, before its checks: its quantities line is
// written whatever follows.
struct VaryBarRead {
  Line line;
  int size;
  std::string_view mark;  // 3 characters
  float length_mm;        // the average length as punched
  float count;
};

// A bar-level card whose weight pass 1 added to the unit (an error 14 on the
// card may follow).
struct ItemWeighed {
  Line line;
  cards::CardKind kind;             // Bar, StoreBar, RecallBar, VaryBar or LumpWeight
  std::string_view unit_name;       // 16 characters: the unit the weight goes to
  int size;                         // 0 for a lump weight
  std::string_view mark;            // 3 characters; empty for a lump weight
  float count;                      // bars, or lumps
  float length_mm;                  // rounded developed, written, recalled, or the vary bar's average; 0 for a lump
  float lump_weight_kg;             // per lump, lump weight cards only
  float weight_kg;                  // added to the unit
  const geometry::BarShape* shape;  // bar and store bar cards only, otherwise null
  std::size_t unit;                 // the open unit (1, 2, ... in deck order); 0 when none is open
  int table_entry;                  // a bar mark's place in its problem's bar table; 0 for a lump weight
};

// What a unit's close prints on its unit line.
struct UnitFigures {
  float unit_weight_kg;   // one unit's weight, rounded to whole kilograms
  float unit_count;       // number of like units
  float total_weight_kg;  // unit weight x unit count
  float price_per_kg;
  float total_cost;  // dollars
};

struct UnitClosed {
  Line line;              // the unit card
  std::size_t unit;       // 1, 2, ... in deck order, as its items name it
  std::string_view name;  // 16 characters
  UnitFigures figures;
};

struct SubtotalWritten {
  Line line;
  std::string_view name;  // 16 characters
  float weight_kg;
  float cost;
};

struct ProblemEnded {
  Line line;  // the end card
  float weight_kg;
  float cost;
};

// A deck error, the premature end included. For a premature end `line` is
// the deck's last line, `column` is 0 and `card` is empty.
// What to do about an error or a warning, told right after it.
struct Note {
  Line line;
  int column;  // 0 when the note is about the whole line
  std::string text;
};

// An edit of one card that mends a finding: columns `first_column` to
// `last_column` of `line` become `text` (columns count bytes; the text may be
// longer or shorter, and the rest of the line moves with it).
struct Fix {
  Line line;
  int first_column;
  int last_column;
  std::string text;
  bool safe;                  // clear from the card alone: --fix applies it
  bool keeps_values = false;  // every value barlist reads stays as it is (a formatter may apply it)
};

struct DeckErrorFound {
  DeckError error;
  Line line;
  int column;                       // first column of the field at fault; 1 when no one field is
  std::size_t problem;              // problem failed by it; 0 before the first problem
  std::string_view problem_number;  // 4 characters
  std::string_view unit_name;       // 16 characters
  int size;                         // the last bar-level card's size and mark
  std::string_view mark;            // 3 characters
  std::string_view card;            // the 80 columns of the card image
  std::string_view record;          // the line as read (at most its first 256 characters)
  std::vector<Note> notes = {};
  std::vector<Fix> fixes = {};
};

// A card read differently from what a detailer most likely meant.
struct Warning {
  Line line;
  int column;
  std::string message;
  std::string_view record;
  std::vector<Note> notes = {};
  std::vector<Fix> fixes = {};
};

// Under a check only: a card whose number does not convert, which would stop
// a run there. The check reads on as after a failed card.
struct ConversionFailed {
  Line line;
  int column;
  std::string message;  // "\"12,5\" in the lump weight (columns 17-22) is not a number"
  std::string_view record;
  std::string consequence;  // what a run would leave out: "the quantities file ends before this card"
};

// A card that pass 2 lists in a problem's bar table, in deck order.
struct CardListed {
  Line line;
  cards::CardKind kind;   // a bar-level card but a lump weight, a unit, comment or line-skip card
  std::string_view card;  // the 80 columns of the card image
  int length_mm;          // bar, store bar and recall bar cards: the length pass 1 filed
  int lines_to_skip;      // line-skip cards: the count as read
  int table_entry;        // a card giving a bar mark: its place among them (1, 2, ...) in the problem; else 0
};

class RunListener {
 public:
  virtual ~RunListener() = default;

  // Pass 1, in deck order.
  virtual void problem_opened(const ProblemOpened&) {}
  virtual void vary_bar_read(const VaryBarRead&) {}
  virtual void item_weighed(const ItemWeighed&) {}
  virtual void unit_closed(const UnitClosed&) {}
  virtual void subtotal_written(const SubtotalWritten&) {}
  virtual void problem_ended(const ProblemEnded&) {}
  virtual void deck_error(const DeckErrorFound&) {}
  virtual void warning(const Warning&) {}
  virtual void conversion_failed(const ConversionFailed&) {}
  // Pass 1 is over; `complete` is false when error 19 or 20 ended the run,
  // in which case no pass 2 follows.
  virtual void pass1_ended(bool /*complete*/) {}

  // Pass 2: a problem gets a bar table, and each card listed in it.
  virtual void problem_listed(std::size_t /*index*/) {}
  virtual void card_listed(const CardListed&) {}
  // The run is over (after pass 2, or after pass 1 when it ended the run).
  virtual void run_ended() {}
};

}  // namespace barlist::events
