// Single-precision square root, arc tangent and cosine, each correctly rounded to float so
// that a developed length comes out the same on every platform.
#pragma once

namespace barlist::geometry {

float sqrt_f(float x);
// Evaluated in double and rounded once: the C library's atanf and cosf are off by one in the
// last bit for some arguments, which can move a length across a 5 mm rounding step.
float atan_f(float x);
float cos_f(float x);

}  // namespace barlist::geometry
