// Single-precision square root, arc tangent and cosine. The square root is correctly rounded;
// arc tangent and cosine are taken in double and rounded once to float, which is not always
// the correctly rounded result but is the same on every platform with the same C library.
#pragma once

namespace barlist::geometry {

inline constexpr float kRadiansPerDegree = 0.01745329f;

float sqrt_f(float x);
// Evaluated in double and rounded once: the C library's atanf and cosf are off by one in the
// last bit for some arguments, which can move a length across a 5 mm rounding step.
float atan_f(float x);
float cos_f(float x);

}  // namespace barlist::geometry
