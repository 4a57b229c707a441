// Two runs of a deck's revisions set side by side: problems matched by
// number, units by name within their problem, bars by card kind, size and
// mark within their unit, lump weights by their place in the unit, deck
// errors by number and card. Whatever repeats is matched in order. The
// comparison points into the two run records, which must outlive it.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "exports/run_record.h"

namespace barlist::compare {

enum class Status { Added, Removed, Changed, Same };

// "added", "removed", "changed", "same".
const char* status_name(Status status);

// What can differ between two cards of one bar or one lump weight, named as
// the run record names an item's keys.
enum class Field { Count, Type, Hooks, Dimensions, Length, LumpWeight };

const char* field_name(Field field);

// The fields a card of this kind has, in the order they are told.
const std::vector<Field>& fields_of(cards::CardKind kind);

// One bar or lump weight: the card before, the card after (null where it is
// added or removed) and the fields that differ.
struct ItemChange {
  Status status;
  const exports::Item* before;
  const exports::Item* after;
  std::size_t occurrence;  // 1, 2, ... among the unit's cards of the same key (lumps: place in the unit)
  bool repeated;           // the key is on more than one card of the unit in either deck
  std::vector<Field> changes = {};
};

struct UnitChange {
  Status status;
  const exports::Unit* before;
  const exports::Unit* after;
  std::size_t occurrence;  // 1, 2, ... among the problem's units of that name
  bool repeated;
  std::vector<ItemChange> bars = {};          // added, removed and changed only
  std::vector<ItemChange> lump_weights = {};  // the same
  // An added unit whose bars are those of a removed one (or the other way
  // round): most likely the unit renamed.
  const exports::Unit* same_bars_as = nullptr;
  // The cards weighed that no unit line took up (after an end card, or in
  // the unit still open when the reading ended), compared as one unit.
  bool unclosed = false;
};

struct ErrorChange {
  Status status;                      // Added (only after) or Removed (only before)
  const exports::ErrorRecord* error;  // from the deck it is in
};

// A problem's weight and cost: its grand total, or the sum of its unit lines
// where no end card closed it.
struct Totals {
  float weight_kg = 0;
  float cost = 0;
};

struct ProblemChange {
  Status status;
  const exports::Problem* before;
  const exports::Problem* after;
  std::size_t occurrence;  // 1, 2, ... among the problems of that number
  bool repeated;
  Totals before_totals, after_totals;
  std::size_t errors_before = 0, errors_after = 0;  // deck errors in the problem, in each deck
  std::vector<UnitChange> units = {};               // every unit, the same ones included
  std::vector<ErrorChange> errors = {};             // those that appear or go away
};

struct Comparison {
  const exports::RunRecord* before;
  const exports::RunRecord* after;
  std::vector<ProblemChange> problems = {};  // every problem, the same ones included
  std::vector<ErrorChange> errors = {};      // those before any problem
  bool differs = false;
  // The problems' cards outside their units, gathered as units the changes point to.
  std::vector<std::unique_ptr<exports::Unit>> unclosed = {};
};

Comparison compare(const exports::RunRecord& before, const exports::RunRecord& after);

// The error 19 or 20 that ended a run's reading, or null when it read the deck through.
const exports::ErrorRecord* reading_end(const exports::RunRecord& run);

}  // namespace barlist::compare
