// The developed length of a bar from its type code and shape data, before rounding.
#pragma once

#include "geometry/bar_shape.h"

namespace barlist::geometry {

struct DevelopedLength {
  int error = 0;                        // 0, or 7, 8, 9, 10, 11, 12, 13
  float BARL = 0;                       // mm, unrounded; meaningful only when error is 0
  ShapeField field = ShapeField::none;  // the field at fault when error is not 0
  float closing_F = 0;                  // the sum of the legs that F should hold, on error 10 of types 42 to 44
};

// Which hook styles a bar type checks and adds: none, IA only, IG only, or both.
enum class Hooks { none, IA, IG, both };
Hooks hooks_of(int ITYPE);

// Type range (7, 8; types 1 and 12 have no formula: 7), then the row's own checks in order
// (hooks 9; angle 11 and count 12; positivity 13), then the formula and, for the repeated-leg
// types 42 to 44, the closure test (10). The bar size is not checked here.
DevelopedLength developed_length(const BarShape& bar);

}  // namespace barlist::geometry
