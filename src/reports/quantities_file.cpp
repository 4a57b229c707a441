#include "reports/quantities_file.h"

#include "reports/error_lines.h"
#include "weights/totals.h"

namespace barlist::reports {
namespace {

using records::Layout;
using records::Value;
using weights::shown;
using weights::whole;

constexpr Layout kProblemHeader{
    "('0',9A1,13X,'VELMARA DEPARTMENT OF TRANSPORTATION',9X,'PROB. NO. ',A4,/,"
    "' ',8A1,1X,'QUENDRAL DIVISION - OFFICE OF SPANS AND DECK',' STRUCTURES REVIEW',/,"
    "' ',17X,'EXTENSION AND LISTING OF BAR REINFORCING STEEL',4X,/,"
    "30X,'REVISED:  JUNE 30, 2008')"};
constexpr Layout kColumnHeader{
    "('0',17A4,/,/,' Name of Unit       Lump Weight',3X,'Number',3X,'Total Weight   Cost/kg    Total Cost',/,"
    "20X,'Ave. Length    Units')"};
constexpr Layout kUnitLine{"('0',4A4,I9,' kg    x',2X,I2,2X,'=',I9,' kg   at',F6.2,2X,'= $',F10.2)"};
constexpr Layout kLumpWeightLine{"('0','LUMP WEIGHT',7X,I7,' kg    x',I4)"};
constexpr Layout kVaryBarLine{"('0','VARY BAR ',I2,A3,4X,I7,' mm    x',I4)"};
constexpr Layout kSubtotalLine{"('0',13X,4A4,' SUBTOTAL =',I9,' kg  ',13X,'$',F10.2)"};
constexpr Layout kGrandTotalLine{"('0',27X,'GRAND TOTAL =',I9,' kg  ',13X,'$',F10.2)"};
constexpr Layout kCardEcho{"(' ',80A1)"};

}  // namespace

void QuantitiesFile::problem_opened(const events::ProblemOpened& problem) {
  const LocalTime now = clock_();
  const auto date = header_date(now);
  const auto time = header_time(now);
  channel_.write<kProblemHeader>(Value::cells({date.data(), date.size()}, 1), problem.number,
                                 Value::cells({time.data(), time.size()}, 1));
  channel_.write<kColumnHeader>(Value::cells(problem.title, 4));
}

void QuantitiesFile::vary_bar_read(const events::VaryBarRead& vary) {
  channel_.write<kVaryBarLine>(vary.size, vary.mark, shown(vary.length_mm, weights::kShownLength), whole(vary.count));
}

void QuantitiesFile::item_weighed(const events::ItemWeighed& item) {
  if (item.kind != cards::CardKind::LumpWeight) return;
  channel_.write<kLumpWeightLine>(shown(item.lump_weight_kg, weights::kNearest), whole(item.count));
}

void QuantitiesFile::unit_closed(const events::UnitClosed& unit) {
  const events::UnitFigures& f = unit.figures;
  channel_.write<kUnitLine>(Value::cells(unit.name, 4), whole(f.unit_weight_kg), whole(f.unit_count),
                            whole(f.total_weight_kg), f.price_per_kg, f.total_cost);
}

void QuantitiesFile::subtotal_written(const events::SubtotalWritten& subtotal) {
  channel_.write<kSubtotalLine>(Value::cells(subtotal.name, 4), whole(subtotal.weight_kg), subtotal.cost);
}

void QuantitiesFile::problem_ended(const events::ProblemEnded& end) {
  channel_.write<kGrandTotalLine>(whole(end.weight_kg), end.cost);
}

void QuantitiesFile::deck_error(const events::DeckErrorFound& error) {
  if (events::ends_run(error.error)) return;
  const Value fields[] = {error.problem_number, Value::cells(error.unit_name, 4), error.size, error.mark};
  const std::size_t shown = values_shown(events::fields_of(error.error));
  channel_.write(error_line(error.error), std::span<const Value>(fields, shown));
  if (error.error != events::DeckError::PrematureEnd) channel_.write<kCardEcho>(Value::cells(error.card, 1));
}

void QuantitiesFile::pass1_ended(bool) { channel_.flush(); }

}  // namespace barlist::reports
