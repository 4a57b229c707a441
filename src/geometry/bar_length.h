// Everything about one bar card's length: size, written length or developed length by type,
// rounding to 5 mm and the pair to store.
#pragma once

#include "geometry/bar_shape.h"

namespace barlist::geometry {

struct BarLength {
  int error = 0;                        // 0 accepted; otherwise 5, 7, 8, 9, 10, 11, 12 or 13
  float BARL = 0;                       // mm, rounded to 5 mm (a written length as written)
  int BARFT = 0, BARIN = 0;             // stored pair: whole hundreds of mm, remaining mm
  ShapeField field = ShapeField::none;  // the field at fault when error is not 0
  float closing_F = 0;                  // on error 10 of types 42 to 44: the sum of the legs
};

// In order: size (5); a written length (LFT + LIN > 0) is taken as written, pair (LFT, LIN),
// type and hooks ignored; otherwise the developed length of the type with its checks
// (7, 8, 9, 10, 11, 12, 13), a length that cannot be stored (not finite, negative,
// 1,000,000 mm or more once rounded) is 10, then rounding to 5 mm and the split.
BarLength bar_length(const BarShape& bar);

}  // namespace barlist::geometry
