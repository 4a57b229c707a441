// The decoded fields of one bar or store bar card that decide its length.
#pragma once

namespace barlist::geometry {

struct BarShape {
  int IBS = 0;
  float LFT = 0, LIN = 0;  // length written on the card: hundreds of mm, remaining mm
  int ITYPE = 0, IA = 0, IG = 0;
  float A = 0, B = 0, C = 0, D = 0, E = 0, F = 0, T1 = 0, T2 = 0, N1 = 0, ANGLE = 0;
};

// The highest bar type; types run from 1.
inline constexpr int kMaxBarType = 53;

// Why a bar's length cannot be worked out, in the order the checks run.
enum class ShapeFailure {
  none,
  size,        // not a bar size
  no_formula,  // a type with no formula (below 2, or 12)
  type,        // a type above the highest
  hook,        // a hook style the type checks is not valid at the size
  dimension,   // the legs do not close, or a length that cannot be stored
  angle,       // an angle of 0 or 90 where the type bends by it
  count,       // a repeat count N1 below 2
  parabola,    // a parabola without both B and C
};

// The field a failed check found at fault, so that a report can point at it;
// none when no one field is (a length too long to store).
enum class ShapeField { none, size, type, hook_a, hook_g, B, C, F, N1, angle };

}  // namespace barlist::geometry
