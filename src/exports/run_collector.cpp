#include "exports/run_collector.h"

#include <algorithm>
#include <iterator>

#include "exports/texts.h"

namespace barlist::exports {

Problem* RunCollector::current_problem() { return record_.problems.empty() ? nullptr : &record_.problems.back(); }

Problem* RunCollector::problem_at(std::size_t index) {
  return const_cast<Problem*>(find_problem(record_, index));  // record_ is ours to change
}

void RunCollector::set_aside_pending_items() {
  if (Problem* problem = current_problem()) {
    std::move(pending_items_.begin(), pending_items_.end(), std::back_inserter(problem->unclosed_items));
  }
  pending_items_.clear();  // before any problem: in no problem's quantities
}

void RunCollector::problem_opened(const events::ProblemOpened& e) {
  set_aside_pending_items();
  Problem problem{
      .line = e.line, .index = e.index, .number = trimmed(e.number), .title = trimmed(e.title), .price = e.price};
  record_.problems.push_back(std::move(problem));
}

void RunCollector::item_weighed(const events::ItemWeighed& e) {
  std::optional<geometry::BarShape> shape;
  if (e.shape != nullptr) shape = *e.shape;
  pending_items_.push_back({.line = e.line,
                            .kind = e.kind,
                            .unit_name = trimmed(e.unit_name),
                            .IBS = e.IBS,
                            .IBM = trimmed(e.IBM),
                            .ANOB = e.ANOB,
                            .length = e.length,
                            .lump_weight = e.lump_weight,
                            .weight = e.weight,
                            .shape = shape});
}

void RunCollector::unit_closed(const events::UnitClosed& e) {
  Problem* problem = current_problem();
  if (problem == nullptr) {
    pending_items_.clear();
    return;
  }
  // The unit card starts the unit's weight afresh: cards weighed before it
  // (after an end card, or while no unit was open) are not in this unit.
  Unit unit{.line = e.line, .name = trimmed(e.name), .figures = e.figures, .items = {}};
  for (Item& item : pending_items_) {
    (item.line > e.line ? unit.items : problem->unclosed_items).push_back(std::move(item));
  }
  pending_items_.clear();
  problem->units.push_back(std::move(unit));
}

void RunCollector::subtotal_written(const events::SubtotalWritten& e) {
  if (Problem* problem = current_problem()) problem->subtotals.push_back({e.line, trimmed(e.name), e.STWT, e.STCOST});
}

void RunCollector::problem_ended(const events::ProblemEnded& e) {
  // A later end card in the same problem prints the grand total again, grown.
  if (Problem* problem = current_problem()) problem->total = GrandTotal{e.line, e.GTWT, e.GTCOST};
}

void RunCollector::deck_error(const events::DeckErrorFound& e) {
  ErrorRecord error{.error = e.error,
                    .line = e.line,
                    .column = e.column,
                    .problem = e.problem,
                    .problem_number = {},
                    .unit_name = {},
                    .bar = {},
                    .card = trimmed(e.card)};
  switch (events::fields_of(e.error)) {
    case events::ErrorFields::ProblemUnitBar:
      error.bar = bar_label(e.IBS, e.IBM);
      [[fallthrough]];
    case events::ErrorFields::ProblemUnit:
      error.unit_name = trimmed(e.unit_name);
      [[fallthrough]];
    case events::ErrorFields::Problem:
      error.problem_number = trimmed(e.problem_number);
      break;
    case events::ErrorFields::None:
      break;
  }
  record_.errors.push_back(std::move(error));
}

void RunCollector::warning(const events::Warning& e) { record_.warnings.push_back({e.line, e.column, e.message}); }

void RunCollector::pass1_ended(bool complete) {
  record_.complete = complete;
  set_aside_pending_items();
}

void RunCollector::problem_listed(std::size_t index) {
  listing_problem_ = index;
  if (Problem* problem = problem_at(index)) problem->listed = true;
}

void RunCollector::card_listed(events::Line line) { record_.listed_cards.push_back({listing_problem_, line}); }

}  // namespace barlist::exports
