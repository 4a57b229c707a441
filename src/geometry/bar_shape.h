// The decoded fields of one bar or store bar card that decide its length.
#pragma once

namespace barlist::geometry {

struct BarShape {
  int IBS = 0;
  float LFT = 0, LIN = 0;  // length written on the card: hundreds of mm, remaining mm
  int ITYPE = 0, IA = 0, IG = 0;
  float A = 0, B = 0, C = 0, D = 0, E = 0, F = 0, T1 = 0, T2 = 0, N1 = 0, ANGLE = 0;
};

// The field a failed check found at fault, so that a report can point at it;
// none when no one field is (a length too long to store).
enum class ShapeField { none, size, type, hook_a, hook_g, B, C, F, N1, angle };

}  // namespace barlist::geometry
