#include "geometry/float_math.h"

#include <cmath>

namespace barlist::geometry {

float sqrt_f(float x) { return std::sqrt(x); }

float atan_f(float x) { return static_cast<float>(std::atan(static_cast<double>(x))); }

float cos_f(float x) { return static_cast<float>(std::cos(static_cast<double>(x))); }

}  // namespace barlist::geometry
