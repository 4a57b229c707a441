#include "geometry/developed_length.h"

#include "geometry/chkdim.h"
#include "geometry/float_math.h"
#include "geometry/repeated_legs.h"

namespace barlist::geometry {
namespace {

constexpr float k = kRadiansPerDegree;
constexpr float PI = 3.141593f;

}  // namespace

Hooks hooks_of(int ITYPE) {
  switch (ITYPE) {
    case 9:
    case 15:
    case 21:
    case 34:
    case 41:
      return Hooks::IA;
    case 17:
    case 22:
      return Hooks::IG;
    case 10:
    case 16:
    case 20:
    case 25:
    case 30:
    case 31:
    case 32:
    case 35:
    case 38:
    case 39:
    case 49:
    case 50:
    case 51:
    case 52:
    case 53:
      return Hooks::both;
    default:
      return Hooks::none;
  }
}

namespace {

// Looks up the allowances the type names; the end whose style is bad, the
// one at A checked first, or none.
ShapeField check_hooks(Hooks hooks, CHKDIM& chk) {
  switch (hooks) {
    case Hooks::IA:
      return chk.CHKHKA() != 0 ? ShapeField::hook_a : ShapeField::none;
    case Hooks::IG:
      return chk.CHKHKG() != 0 ? ShapeField::hook_g : ShapeField::none;
    case Hooks::both:  // the style at G is checked only when the one at A passed
      if (chk.CHKHKA() != 0) return ShapeField::hook_a;
      return chk.CHKHKG() != 0 ? ShapeField::hook_g : ShapeField::none;
    case Hooks::none:
      break;
  }
  return ShapeField::none;
}

float sq(float x) { return x * x; }

// Formulas written term by term in the order of the bar-type catalogue, so that each sum is
// formed left to right in float. Types with checks of their own are handled by the caller.
float formula(int ITYPE, const BarShape& bar, float HOOKA, float HOOKG) {
  const float A = bar.A, B = bar.B, C = bar.C, D = bar.D, E = bar.E, F = bar.F;
  const float T1 = bar.T1, T2 = bar.T2, N1 = bar.N1, ANGLE = bar.ANGLE;
  switch (ITYPE) {
    case 3:
    case 4:
    case 5:
      return A + B;
    case 2:
    case 7:
    case 8:
    case 23:
    case 24:
      return A + B + C;
    case 6:
    case 28:
      return A + B + C + D;
    case 9:
      return A + HOOKA;
    case 10:
      return A + HOOKA + HOOKG;
    case 11:
      return A + C + k * B * (180.0f - ANGLE);
    case 13: {
      // Arc of radius B on the chord A.
      const float h = 0.5f * A;
      const float root = sqrt_f(B * B - h * h);
      return (B + B) * atan_f(h / root);
    }
    case 14:
    case 40:
      return A + B + C + D + E;
    case 15:
      return A + C + E + F + 2.0f * sqrt_f(sq(B) + sq(D)) + HOOKA;
    case 16:
      return A + D + E + 2.0f * sqrt_f(sq(B) + sq(C)) + HOOKA + HOOKG;
    case 17:
      return A + C + k * B * (180.0f - ANGLE) + HOOKG;
    case 18:
      // Here N1 is the sweep angle of the second arc.
      return A + C + E + k * (B * (180.0f - ANGLE) + D * (180.0f - N1));
    case 19:
      return A + B + C + 1.141593f * D;
    case 20:
      return A + B + HOOKA + HOOKG;
    case 21:
    case 41:
      return A + B + HOOKA;
    case 22:
      return A + B + sqrt_f(sq(C) + sq(D)) + HOOKG;
    case 25:
      return 2.0f * (A + B) + HOOKA + HOOKG;
    case 26:
      return 2.0f * (A + B + C);
    case 27:
      return 2.0f * (PI * B + A) + C;
    case 29:
      return PI * B + A + C;
    case 30:
    case 31:
    case 32:
      return A + B + C + HOOKA + HOOKG;
    case 33:
      return (PI + PI) * B + A;
    case 34:
      return A + C + sqrt_f(sq(B) + sq(D)) + HOOKA;
    case 35:
      return sqrt_f(sq(A) + sq(E)) + sqrt_f(sq(B) + sq(D)) + sqrt_f(sq(C) + sq(F)) + HOOKA + HOOKG;
    case 36:
    case 37:
      return sqrt_f(sq(A) + sq(F)) + sqrt_f(sq(B) + sq(E)) + sqrt_f(sq(C) + sq(D)) + T1;
    case 38:
      return A + B + D + sqrt_f(sq(B) + sq(C)) + HOOKA + HOOKG;
    case 39:
      return A + A + 4.0f * B + C + HOOKA + HOOKG;
    case 45:
      // Helix: A / B turns of pitch B on diameter C, then N1 whole circles.
      return A * sqrt_f(sq(PI * C) + sq(B)) / B + PI * N1 * C;
    case 46:
      return A + B + C + sqrt_f(sq(D) + sq(E));
    case 47:
      return A + C + D + F + sqrt_f(sq(B) + sq(E));
    case 48:
      return A + B + C + D + E + F + T1;
    case 49:
      return A + B + C + D + E + F + HOOKA + HOOKG;
    case 50:
      return A + C + E + F + sqrt_f(sq(B) + sq(D)) + HOOKA + HOOKG;
    case 51:
      return A + C + D + E + 1.570796f * B + HOOKA + HOOKG;
    case 52:
      return A + D + T1 + F + sqrt_f(sq(B) + sq(T2)) + sqrt_f(sq(C) + sq(E)) + HOOKA + HOOKG;
    case 53:
      return 2.0f * (B + D + 2.0f * sqrt_f(sq(A) + sq(C))) + HOOKA + HOOKG;
    default:
      return 0.0f;  // not reached: every other code is dispatched before
  }
}

}  // namespace

DevelopedLength developed_length(const BarShape& bar) {
  const int ITYPE = bar.ITYPE;
  if (ITYPE <= 1 || ITYPE == 12) return {ShapeFailure::no_formula, 0.0f, ShapeField::type};
  if (ITYPE > kMaxBarType) return {ShapeFailure::type, 0.0f, ShapeField::type};

  switch (ITYPE) {
    case 42:
      return repeated_legs_42(bar);
    case 43:
      return repeated_legs_43(bar);
    case 44:
      return repeated_legs_44(bar);
    default:
      break;
  }

  CHKDIM chk{.IBS = bar.IBS, .IA = bar.IA, .IG = bar.IG};
  if (const ShapeField hook = check_hooks(hooks_of(ITYPE), chk); hook != ShapeField::none)
    return {ShapeFailure::hook, 0.0f, hook};
  if (ITYPE == 53 && CHKDIM::CHKPOS(bar.B, bar.C) != 0) {
    return {ShapeFailure::parabola, 0.0f, bar.B > 0.0f ? ShapeField::C : ShapeField::B};
  }
  return {ShapeFailure::none, formula(ITYPE, bar, chk.HOOKA, chk.HOOKG)};
}

}  // namespace barlist::geometry
