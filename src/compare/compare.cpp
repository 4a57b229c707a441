#include <algorithm>
#include <string>

#include "compare/comparison.h"
#include "compare/matching.h"
#include "events/deck_errors.h"

namespace barlist::compare {
namespace {

using cards::CardKind;
using exports::ErrorRecord;
using exports::Item;
using exports::Problem;
using exports::Unit;

// A bar's key within its unit: card kind, size and mark.
std::string bar_key(const Item& item) {
  std::string key = std::to_string(static_cast<int>(item.kind)) + ' ' + std::to_string(item.size) + ' ';
  return key + item.mark;
}

bool same_dimensions(const geometry::BarShape& a, const geometry::BarShape& b) {
  return a.A == b.A && a.B == b.B && a.C == b.C && a.D == b.D && a.E == b.E && a.F == b.F && a.T1 == b.T1 &&
         a.T2 == b.T2 && a.N1 == b.N1 && a.ANGLE == b.ANGLE;
}

bool same_field(Field field, const Item& a, const Item& b) {
  const geometry::BarShape none{};
  const geometry::BarShape& shape_a = a.shape ? *a.shape : none;
  const geometry::BarShape& shape_b = b.shape ? *b.shape : none;
  switch (field) {
    case Field::Count:
      return a.count == b.count;
    case Field::Type:
      return shape_a.ITYPE == shape_b.ITYPE;
    case Field::Hooks:
      return shape_a.IA == shape_b.IA && shape_a.IG == shape_b.IG;
    case Field::Dimensions:
      return same_dimensions(shape_a, shape_b);
    case Field::Length:
      return a.length_mm == b.length_mm;
    case Field::LumpWeight:
      return a.lump_weight_kg == b.lump_weight_kg;
  }
  return true;
}

std::vector<Field> differing_fields(const Item& a, const Item& b) {
  std::vector<Field> fields;
  for (Field field : fields_of(a.kind)) {
    if (!same_field(field, a, b)) fields.push_back(field);
  }
  return fields;
}

bool same_item(const Item& a, const Item& b) {
  return a.kind == b.kind && a.size == b.size && a.mark == b.mark && differing_fields(a, b).empty();
}

bool same_cards(const Unit& a, const Unit& b) {
  return a.items.size() == b.items.size() && std::equal(a.items.begin(), a.items.end(), b.items.begin(), same_item);
}

bool same_figures(const events::UnitFigures& a, const events::UnitFigures& b) {
  return a.unit_weight_kg == b.unit_weight_kg && a.unit_count == b.unit_count &&
         a.total_weight_kg == b.total_weight_kg && a.price_per_kg == b.price_per_kg && a.total_cost == b.total_cost;
}

// The changes among a unit's cards of one sort, matched by `key`.
template <typename Key>
std::vector<ItemChange> item_changes(const std::vector<const Item*>& before, const std::vector<const Item*>& after,
                                     Key key) {
  std::vector<ItemChange> changes;
  const auto matches = match_in_order(
      before.size(), after.size(), [&](std::size_t i) { return key(*before[i]); },
      [&](std::size_t j) { return key(*after[j]); });
  for (const Match& m : matches) {
    const Item* b = m.before == kNone ? nullptr : before[m.before];
    const Item* a = m.after == kNone ? nullptr : after[m.after];
    if (b != nullptr && a != nullptr) {
      std::vector<Field> fields = differing_fields(*b, *a);
      if (!fields.empty()) changes.push_back({Status::Changed, b, a, m.occurrence, m.repeated, std::move(fields)});
    } else {
      changes.push_back({b ? Status::Removed : Status::Added, b, a, m.occurrence, m.repeated, {}});
    }
  }
  return changes;
}

void split(const Unit* unit, std::vector<const Item*>& bars, std::vector<const Item*>& lumps) {
  if (unit == nullptr) return;
  for (const Item& item : unit->items) (item.kind == CardKind::LumpWeight ? lumps : bars).push_back(&item);
}

UnitChange unit_change(const Unit* before, const Unit* after, const Match& m) {
  UnitChange change{before ? (after ? Status::Same : Status::Removed) : Status::Added,
                    before,
                    after,
                    m.occurrence,
                    m.repeated,
                    {},
                    {}};
  if (before == nullptr || after == nullptr) return change;
  const bool figures_same = same_figures(before->figures, after->figures);
  // Most units of a revision are untouched: card for card the same, no matching needed.
  if (same_cards(*before, *after)) {
    if (!figures_same) change.status = Status::Changed;
    return change;
  }
  std::vector<const Item*> bars_before, lumps_before, bars_after, lumps_after;
  split(before, bars_before, lumps_before);
  split(after, bars_after, lumps_after);
  change.bars = item_changes(bars_before, bars_after, bar_key);
  change.lump_weights = item_changes(lumps_before, lumps_after, [](const Item&) { return std::string(); });
  if (!change.bars.empty() || !change.lump_weights.empty() || !figures_same) {
    change.status = Status::Changed;
  }
  return change;
}

// Removed and added units of one problem with the same bars: a unit renamed.
void hint_renamed(std::vector<UnitChange>& units) {
  for (UnitChange& removed : units) {
    if (removed.status != Status::Removed) continue;
    for (UnitChange& added : units) {
      if (added.status != Status::Added || added.same_bars_as != nullptr) continue;
      if (removed.before->items.empty() || !same_cards(*removed.before, *added.after)) continue;
      removed.same_bars_as = added.after;
      added.same_bars_as = removed.before;
      break;
    }
  }
}

Totals totals_of(const Problem* problem) {
  if (problem == nullptr) return {};
  if (problem->total) return {problem->total->weight_kg, problem->total->cost};
  Totals sum;  // no end card: what the unit lines hold
  for (const Unit& unit : problem->units) {
    sum.weight_kg = sum.weight_kg + unit.figures.total_weight_kg;
    sum.cost = sum.cost + unit.figures.total_cost;
  }
  return sum;
}

// A problem's cards outside its units as a unit of their own; null when it has none.
const Unit* unclosed_unit(const Problem* problem, std::vector<std::unique_ptr<Unit>>& store) {
  if (problem == nullptr || problem->unclosed_items.empty()) return nullptr;
  store.push_back(std::make_unique<Unit>(Unit{problem->line, std::string(), {}, problem->unclosed_items}));
  return store.back().get();
}

ProblemChange problem_change(const Problem* before, const Problem* after, const Match& m,
                             std::vector<std::unique_ptr<Unit>>& store) {
  ProblemChange change{before ? (after ? Status::Same : Status::Removed) : Status::Added,
                       before,
                       after,
                       m.occurrence,
                       m.repeated,
                       totals_of(before),
                       totals_of(after)};
  const std::vector<Unit> none;
  const std::vector<Unit>& units_before = before ? before->units : none;
  const std::vector<Unit>& units_after = after ? after->units : none;
  const auto matches = match_in_order(
      units_before.size(), units_after.size(), [&](std::size_t i) { return units_before[i].name; },
      [&](std::size_t j) { return units_after[j].name; });
  for (const Match& u : matches) {
    change.units.push_back(unit_change(u.before == kNone ? nullptr : &units_before[u.before],
                                       u.after == kNone ? nullptr : &units_after[u.after], u));
  }
  hint_renamed(change.units);
  const Unit* unclosed_before = unclosed_unit(before, store);
  const Unit* unclosed_after = unclosed_unit(after, store);
  if (unclosed_before != nullptr || unclosed_after != nullptr) {
    change.units.push_back(unit_change(unclosed_before, unclosed_after, Match{}));
    change.units.back().unclosed = true;
  }
  return change;
}

// The errors that appear or go away, matched by number and card text.
std::vector<ErrorChange> error_changes(const std::vector<const ErrorRecord*>& before,
                                       const std::vector<const ErrorRecord*>& after) {
  const auto key = [](const ErrorRecord& e) { return std::to_string(events::number(e.error)) + ' ' + e.card; };
  std::vector<ErrorChange> changes;
  const auto matches = match_in_order(
      before.size(), after.size(), [&](std::size_t i) { return key(*before[i]); },
      [&](std::size_t j) { return key(*after[j]); });
  for (const Match& m : matches) {
    if (m.before == kNone) changes.push_back({Status::Added, after[m.after]});
    if (m.after == kNone) changes.push_back({Status::Removed, before[m.before]});
  }
  return changes;
}

bool problem_differs(const ProblemChange& p) {
  if (p.status != Status::Same) return true;
  if (p.before_totals.weight_kg != p.after_totals.weight_kg || p.before_totals.cost != p.after_totals.cost) return true;
  if (!p.errors.empty()) return true;
  return std::any_of(p.units.begin(), p.units.end(), [](const UnitChange& u) { return u.status != Status::Same; });
}

}  // namespace

const exports::ErrorRecord* reading_end(const exports::RunRecord& run) {
  for (const ErrorRecord& error : run.errors) {
    if (events::ends_run(error.error)) return &error;
  }
  return nullptr;
}

Comparison compare(const exports::RunRecord& before, const exports::RunRecord& after) {
  Comparison comparison{&before, &after, {}, {}};
  const auto matches = match_in_order(
      before.problems.size(), after.problems.size(), [&](std::size_t i) { return before.problems[i].number; },
      [&](std::size_t j) { return after.problems[j].number; });
  // Each problem's place in the comparison, by its index in its deck.
  std::vector<std::size_t> place_before(before.problems.size() + 1, kNone);
  std::vector<std::size_t> place_after(after.problems.size() + 1, kNone);
  for (const Match& m : matches) {
    const Problem* b = m.before == kNone ? nullptr : &before.problems[m.before];
    const Problem* a = m.after == kNone ? nullptr : &after.problems[m.after];
    if (b != nullptr && b->index < place_before.size()) place_before[b->index] = comparison.problems.size();
    if (a != nullptr && a->index < place_after.size()) place_after[a->index] = comparison.problems.size();
    comparison.problems.push_back(problem_change(b, a, m, comparison.unclosed));
  }

  // Deck errors go to the problem they failed; those before any problem stay apart.
  const std::size_t outside = comparison.problems.size();
  std::vector<std::vector<const ErrorRecord*>> errors_before(outside + 1), errors_after(outside + 1);
  const auto file = [&](const exports::RunRecord& run, const std::vector<std::size_t>& place, auto& errors) {
    for (const ErrorRecord& error : run.errors) {
      const std::size_t at =
          error.problem < place.size() && place[error.problem] != kNone ? place[error.problem] : outside;
      errors[at].push_back(&error);
    }
  };
  file(before, place_before, errors_before);
  file(after, place_after, errors_after);
  for (std::size_t p = 0; p < outside; ++p) {
    ProblemChange& problem = comparison.problems[p];
    problem.errors_before = errors_before[p].size();
    problem.errors_after = errors_after[p].size();
    problem.errors = error_changes(errors_before[p], errors_after[p]);
    if (problem.status == Status::Same && problem_differs(problem)) problem.status = Status::Changed;
    comparison.differs = comparison.differs || problem.status != Status::Same;
  }
  comparison.errors = error_changes(errors_before[outside], errors_after[outside]);
  comparison.differs = comparison.differs || !comparison.errors.empty();
  return comparison;
}

}  // namespace barlist::compare
