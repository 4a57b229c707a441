// The developed length of a bar from its type code and shape data, before rounding.
#pragma once

#include "geometry/bar_shape.h"

namespace barlist::geometry {

struct DevelopedLength {
  ShapeFailure failure = ShapeFailure::none;
  float BARL = 0;                       // mm, unrounded; meaningful only without a failure
  ShapeField field = ShapeField::none;  // the field at fault on a failure
  float closing_F = 0;                  // the sum of the legs that F should hold, types 42 to 44
};

// Which hook styles a bar type checks and adds: none, IA only, IG only, or both.
enum class Hooks { none, IA, IG, both };
Hooks hooks_of(int ITYPE);

// Type range (types 1 and 12 have no formula), then the row's own checks in order (hooks;
// angle and count; positivity of a parabola), then the formula and, for the repeated-leg
// types 42 to 44, the closure test. The bar size is not checked here.
DevelopedLength developed_length(const BarShape& bar);

}  // namespace barlist::geometry
