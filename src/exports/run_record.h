// A run as the exports keep it: the problems with their units and the cards
// weighed in them, the errors and warnings, and what pass 2 listed. Texts
// are copied out of the reader's buffers without their trailing blanks.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "diagnostics/diagnostic.h"
#include "events/run_listener.h"
#include "geometry/bar_shape.h"

namespace barlist::exports {

// One bar-level card whose weight pass 1 added.
struct Item {
  events::Line line;
  cards::CardKind kind;
  std::string unit_name;  // the unit the weight went to
  int size;               // 0 for a lump weight
  std::string mark;
  float count;                              // bars, or lumps
  float length_mm;                          // 0 for a lump weight
  float lump_weight_kg;                     // per lump, lump weight cards only
  float weight_kg;                          // added to the unit
  std::optional<geometry::BarShape> shape;  // bar and store bar cards only
  std::size_t unit;                         // the unit open when it was weighed; 0 for none
  int table_entry;                          // its place among the problem's bar marks; 0 for a lump weight
};

struct Unit {
  events::Line line;  // the unit card
  std::string name;
  events::UnitFigures figures;
  std::vector<Item> items;
};

struct Subtotal {
  events::Line line;
  std::string name;
  float weight_kg, cost;
};

struct GrandTotal {
  events::Line line;
  float weight_kg, cost;
};

struct Problem {
  events::Line line;
  std::size_t index;  // 1, 2, ... in deck order
  std::string number;
  std::string title;
  float price_per_kg;
  bool listed = false;  // pass 2 wrote its bar table
  std::vector<Unit> units = {};
  std::vector<Subtotal> subtotals = {};
  std::optional<GrandTotal> total = {};  // the last grand total printed; none without an end card
  // Cards weighed that no unit line took up: those after an end card, or of
  // a unit still open when the next problem opened or the deck ended.
  std::vector<Item> unclosed_items = {};
};

struct ErrorRecord {
  events::DeckError error;
  events::Line line;
  int column;                                                 // 0 when no column is at fault (a premature end)
  std::size_t problem;                                        // the problem's index; 0 before the first problem
  std::optional<std::string> problem_number, unit_name, bar;  // only those the error line shows
  std::string card;                                           // empty for a premature end
  std::size_t diagnostic;                                     // in RunRecord::diagnostics, with its notes
};

struct ListedCard {
  std::size_t problem;  // index of the problem whose bar table lists it
  events::Line line;
  int table_entry;  // its place among the problem's bar marks, as Item::table_entry
};

struct RunRecord {
  bool complete = false;  // pass 1 read the deck through (no error 19 or 20)
  std::vector<Problem> problems;
  std::vector<ErrorRecord> errors;
  std::vector<std::size_t> warnings;     // each warning's place in diagnostics
  std::vector<ListedCard> listed_cards;  // in the order pass 2 listed them
  // Every error, warning and note as the terminal shows them, in deck order,
  // and the line that sums them up. The errors and warnings above refer to
  // these for their texts and notes, which are kept once.
  std::vector<diagnostics::Diagnostic> diagnostics;
  std::string summary;
};

// The problem opened with `index`, or null.
inline const Problem* find_problem(const RunRecord& run, std::size_t index) {
  // Problems are opened 1, 2, ... so the index is normally the position.
  if (index >= 1 && index <= run.problems.size() && run.problems[index - 1].index == index) {
    return &run.problems[index - 1];
  }
  for (const Problem& problem : run.problems) {
    if (problem.index == index) return &problem;
  }
  return nullptr;
}

}  // namespace barlist::exports
