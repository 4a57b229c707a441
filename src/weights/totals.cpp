#include "weights/totals.h"

#include <cmath>
#include <limits>

#include "geometry/bar_sizes.h"

namespace barlist::weights {

std::int64_t whole(float value) {
  const float truncated = std::trunc(value);
  if (!(std::fabs(truncated) < 2147483648.0f)) return std::numeric_limits<std::int64_t>::max();
  return static_cast<std::int64_t>(truncated);
}

void Totals::open_problem() {
  GTWT = GTCOST = 0;
  open_subtotal_group();
}

void Totals::open_subtotal_group() { STWT = STCOST = 0; }

float Totals::add_bar(float BARL, int IBS, float ANOB) {
  const double weight =
      static_cast<double>(BARL) * static_cast<double>(geometry::BWTFT(IBS)) * static_cast<double>(ANOB);
  const float BARWT = static_cast<float>(weight);
  UNWT = UNWT + BARWT;
  return BARWT;
}

float Totals::add_lump_weight(float lump_weight, float ANOB) {
  const float BARWT = lump_weight * ANOB;
  UNWT = UNWT + BARWT;
  return BARWT;
}

events::UnitFigures Totals::close_unit(float NOUNIT, float UPRICE) {
  const float rounded = UNWT + 0.5f;
  // Truncated as a real, so a weight beyond 32 bits keeps its size.
  const float TEMP1 = std::trunc(rounded);
  UNWT = TEMP1;
  const float TWT = UNWT * NOUNIT;
  const float TCT = TWT * UPRICE;
  GTWT += TWT;
  GTCOST += TCT;
  STWT += TWT;
  STCOST += TCT;
  return {TEMP1, NOUNIT, TWT, UPRICE, TCT};
}

}  // namespace barlist::weights
