// Weights and costs: each bar-level card adds to the unit weight; a unit's
// close rounds it to whole kilograms, multiplies by the number of units,
// prices it and adds it to the subtotal group and the problem.
#pragma once

#include <cstdint>

#include "events/run_listener.h"

namespace barlist::weights {

// A real printed in an integer field: truncated toward zero. A value beyond
// 32 bits (or not finite) gives a number that prints as asterisks.
std::int64_t whole(float value);

// A real as a report shows it in a whole-number field: a constant added in
// single precision, then truncated. With kNearest that is the nearest whole
// number (of a value not below zero); a vary bar's average length takes
// kShownLength.
inline constexpr float kNearest = 0.5f;
inline constexpr float kShownLength = 0.2f;
inline std::int64_t shown(float value, float constant) { return whole(value + constant); }

class Totals {
 public:
  void open_problem();         // a valid identification card
  void open_subtotal_group();  // after a subtotal line, and when awaiting a unit
  void open_unit() { UNWT = 0; }

  // Each adds the card's weight to the unit and returns it. A bar weighs
  // BARL x BWTFT(IBS) x ANOB, the product formed in double and given to
  // single precision once.
  float add_bar(float BARL, int IBS, float ANOB);
  float add_lump_weight(float lump_weight, float ANOB);
  events::UnitFigures close_unit(float NOUNIT, float UPRICE);

  float UNWT = 0;
  float STWT = 0, STCOST = 0;
  float GTWT = 0, GTCOST = 0;
};

}  // namespace barlist::weights
