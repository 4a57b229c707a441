#include "exports/run_collector.h"

#include <algorithm>
#include <iterator>

#include "events/bar_label.h"
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
  summary_.problem_opened(e);  // a problem left without its bar table is named in the summary
  set_aside_pending_items();
  Problem problem{.line = e.line,
                  .index = e.index,
                  .number = without_trailing_blanks(e.number),
                  .title = without_trailing_blanks(e.title),
                  .price_per_kg = e.price_per_kg};
  record_.problems.push_back(std::move(problem));
}

void RunCollector::item_weighed(const events::ItemWeighed& e) {
  std::optional<geometry::BarShape> shape;
  if (e.shape != nullptr) shape = *e.shape;
  pending_items_.push_back({.line = e.line,
                            .kind = e.kind,
                            .unit_name = without_trailing_blanks(e.unit_name),
                            .size = e.size,
                            .mark = without_trailing_blanks(e.mark),
                            .count = e.count,
                            .length_mm = e.length_mm,
                            .lump_weight_kg = e.lump_weight_kg,
                            .weight_kg = e.weight_kg,
                            .shape = shape,
                            .unit = e.unit,
                            .table_entry = e.table_entry});
}

void RunCollector::unit_closed(const events::UnitClosed& e) {
  Problem* problem = current_problem();
  if (problem == nullptr) {
    pending_items_.clear();
    return;
  }
  // The unit card starts the unit's weight afresh: cards weighed while no
  // unit was open (after an end card) are not in this unit.
  Unit unit{.line = e.line, .name = without_trailing_blanks(e.name), .figures = e.figures, .items = {}};
  for (Item& item : pending_items_) {
    (item.unit == e.unit ? unit.items : problem->unclosed_items).push_back(std::move(item));
  }
  pending_items_.clear();
  problem->units.push_back(std::move(unit));
}

void RunCollector::subtotal_written(const events::SubtotalWritten& e) {
  if (Problem* problem = current_problem())
    problem->subtotals.push_back({e.line, without_trailing_blanks(e.name), e.weight_kg, e.cost});
}

void RunCollector::problem_ended(const events::ProblemEnded& e) {
  // A later end card in the same problem prints the grand total again, grown.
  if (Problem* problem = current_problem()) problem->total = GrandTotal{e.line, e.weight_kg, e.cost};
}

void RunCollector::deck_error(const events::DeckErrorFound& e) {
  ErrorRecord error{.error = e.error,
                    .line = e.line,
                    .column = e.column,
                    .problem = e.problem,
                    .problem_number = {},
                    .unit_name = {},
                    .bar = {},
                    .card = without_trailing_blanks(e.card),
                    .diagnostic = record_.diagnostics.size()};
  switch (events::fields_of(e.error)) {
    case events::ErrorFields::ProblemUnitBar:
      error.bar = events::bar_label(e.size, e.mark);
      [[fallthrough]];
    case events::ErrorFields::ProblemUnit:
      error.unit_name = without_trailing_blanks(e.unit_name);
      [[fallthrough]];
    case events::ErrorFields::Problem:
      error.problem_number = without_trailing_blanks(e.problem_number);
      break;
    case events::ErrorFields::None:
      break;
  }
  record_.errors.push_back(std::move(error));
  record_.diagnostics.push_back(diagnostics::diagnostic_of(e));
  summary_.deck_error(e);
}

void RunCollector::warning(const events::Warning& e) {
  record_.warnings.push_back(record_.diagnostics.size());
  record_.diagnostics.push_back(diagnostics::diagnostic_of(e));
  summary_.warning(e);
}

void RunCollector::conversion_failed(const events::ConversionFailed& e) {
  record_.diagnostics.push_back(diagnostics::diagnostic_of(e));
  summary_.conversion_failed(e);
}

void RunCollector::pass1_ended(bool complete) {
  record_.complete = complete;
  set_aside_pending_items();
}

void RunCollector::problem_listed(std::size_t index) {
  summary_.problem_listed(index);
  listing_problem_ = index;
  if (Problem* problem = problem_at(index)) problem->listed = true;
}

void RunCollector::card_listed(const events::CardListed& e) {
  if (cards::gives_bar_mark(e.kind)) record_.listed_cards.push_back({listing_problem_, e.line, e.table_entry});
}

}  // namespace barlist::exports
