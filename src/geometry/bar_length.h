// Everything about one bar card's length: size, written length or developed length by type,
// rounding to 5 mm and the pair to store.
#pragma once

#include "geometry/bar_shape.h"

namespace barlist::geometry {

struct BarLength {
  ShapeFailure failure = ShapeFailure::none;
  float BARL = 0;                       // mm, rounded to 5 mm (a written length as written)
  int BARFT = 0, BARIN = 0;             // stored pair: whole hundreds of mm, remaining mm
  ShapeField field = ShapeField::none;  // the field at fault on a failure
  float closing_F = 0;                  // when the legs of types 42 to 44 do not close: their sum
};

// In order: size; a written length (LFT + LIN > 0) is taken as written, pair (LFT, LIN),
// type and hooks ignored; otherwise the developed length of the type with its checks, a
// length that cannot be stored (not finite, negative, 1,000,000 mm or more once rounded)
// failing as a dimension, then rounding to 5 mm and the split.
BarLength bar_length(const BarShape& bar);

}  // namespace barlist::geometry
