#include "geometry/repeated_legs.h"

#include "geometry/chkdim.h"
#include "geometry/float_math.h"

namespace barlist::geometry {
namespace {

// Angle check of types 42 and 44: status 2 is a bad angle, status 1 a bad count.
DevelopedLength angle_error(CHKDIM& chk) {
  switch (chk.CHKANG()) {
    case 0:
      return {};
    case 2:
      return {ShapeFailure::angle, 0.0f, ShapeField::angle};
    default:
      return {ShapeFailure::count, 0.0f, ShapeField::N1};
  }
}

// The length is formed first and dropped when the legs do not add up to F
// exactly; `legs` is their sum, for the note that tells what F should be.
DevelopedLength closed(float BARL, float gap, float legs) {
  if (gap != 0.0f) return {ShapeFailure::dimension, 0.0f, ShapeField::F, legs};
  return {ShapeFailure::none, BARL};
}

}  // namespace

DevelopedLength repeated_legs_42(const BarShape& bar) {
  CHKDIM chk{.IBS = bar.IBS, .N1 = bar.N1, .ANGLE = bar.ANGLE};
  if (const DevelopedLength error = angle_error(chk); error.failure != ShapeFailure::none) return error;
  const float N1 = bar.N1;
  const float X = bar.D + bar.E + (N1 - 2.0f) * bar.B + (N1 - 1.0f) * bar.C;
  const float Y = (2.0f * N1 - 2.0f) * bar.A;
  const float BARL = Y / chk.COSANG + X + bar.T1 + bar.T2;
  return closed(BARL, bar.F - X - Y, X + Y);
}

DevelopedLength repeated_legs_43(const BarShape& bar) {
  const CHKDIM chk{.IBS = bar.IBS, .N1 = bar.N1};
  if (chk.CHKN1() != 0) return {ShapeFailure::count, 0.0f, ShapeField::N1};
  const float N1 = bar.N1;
  const float X = 2.0f * bar.D + (N1 - 2.0f) * bar.B + (N1 - 1.0f) * bar.C;
  const float M = 2.0f * N1 - 2.0f;
  const float BARL = X + bar.T1 + bar.T2 + M * sqrt_f(bar.A * bar.A + bar.E * bar.E);
  return closed(BARL, bar.F - X - M * bar.A, X + M * bar.A);
}

DevelopedLength repeated_legs_44(const BarShape& bar) {
  CHKDIM chk{.IBS = bar.IBS, .N1 = bar.N1, .ANGLE = bar.ANGLE};
  if (const DevelopedLength error = angle_error(chk); error.failure != ShapeFailure::none) return error;
  const float N1 = bar.N1;
  const float X = bar.D + bar.E + (N1 - 1.0f) * (bar.B + bar.C);
  const float Y = (2.0f * N1 - 1.0f) * bar.A;
  const float BARL = Y / chk.COSANG + X + bar.T1;
  return closed(BARL, bar.F - X - Y, X + Y);
}

}  // namespace barlist::geometry
