#include "geometry/length_rounding.h"

#include <cmath>

namespace barlist::geometry {
namespace {

// Truncation toward zero to int, with values an int cannot hold (NaN included) sent to 0
// rather than converted.
int truncate_to_int(float x) {
  constexpr float kIntLimit = 2147483648.0f;  // 2^31
  const float whole = std::trunc(x);
  if (!(whole > -kIntLimit && whole < kIntLimit)) return 0;
  return static_cast<int>(whole);
}

}  // namespace

float round_to_5mm(float BARL) {
  const float q = (BARL + 2.5f) / 5.0f;
  const float n = std::trunc(q);
  const float five = 5.0f * n;
  return std::trunc(five + 0.1f);
}

bool is_storable_length(float BARL) { return std::isfinite(BARL) && BARL >= 0.0f && BARL < 999997.5f; }

StoredPair split_length(float BARL) {
  const float hundreds = std::trunc(BARL / 100.0f);
  const float rest = BARL - 100.0f * hundreds;
  return {truncate_to_int(hundreds), truncate_to_int(rest)};
}

}  // namespace barlist::geometry
