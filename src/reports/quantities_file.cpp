#include "reports/quantities_file.h"

#include <cmath>

namespace barlist::reports {
namespace {

using records::Layout;
using records::Value;

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
constexpr Layout kPrematureEnd{"(' PREMATURE END OF FILE')"};

// A shown value rounded to the nearest whole number by adding a constant in
// single precision and truncating.
std::int64_t shown(float value, float constant) { return whole(value + constant); }

}  // namespace

void QuantitiesFile::problem_header(std::string_view problem_number, std::string_view title, const LocalTime& now) {
  const auto date = header_date(now);
  const auto time = header_time(now);
  channel_.write(kProblemHeader, {Value::cells({date.data(), date.size()}, 1), problem_number,
                                  Value::cells({time.data(), time.size()}, 1)});
  channel_.write(kColumnHeader, {Value::cells(title, 4)});
}

void QuantitiesFile::unit_line(std::string_view unit_name, const UnitClose& unit) {
  channel_.write(kUnitLine, {Value::cells(unit_name, 4), whole(unit.TEMP1), whole(unit.units), whole(unit.TWT),
                             unit.UPRICE, unit.TCT});
}

void QuantitiesFile::lump_weight_line(float lump_weight, float ANOB) {
  channel_.write(kLumpWeightLine, {shown(lump_weight, 0.5f), whole(ANOB)});
}

void QuantitiesFile::vary_bar_line(int IBS, std::string_view IBM, float BARL, float ANOB) {
  channel_.write(kVaryBarLine, {IBS, IBM, shown(BARL, 0.2f), whole(ANOB)});
}

void QuantitiesFile::subtotal_line(std::string_view subtotal_name, float STWT, float STCOST) {
  channel_.write(kSubtotalLine, {Value::cells(subtotal_name, 4), whole(STWT), STCOST});
}

void QuantitiesFile::grand_total_line(float GTWT, float GTCOST) {
  channel_.write(kGrandTotalLine, {whole(GTWT), GTCOST});
}

void QuantitiesFile::premature_end() { channel_.write(kPrematureEnd, {}); }

}  // namespace barlist::reports
