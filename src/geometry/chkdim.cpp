#include "geometry/chkdim.h"

#include "geometry/bar_sizes.h"
#include "geometry/float_math.h"

namespace barlist::geometry {

bool is_hook_style(int IBS, int style) {
  if (style < 1 || style > 6 || style == 2) return false;
  return !((style == 4 || style == 5) && IBS > kLargestSizeWithStyles4And5);
}

int CHKDIM::CHKBS() const { return is_bar_size(IBS) ? 0 : 1; }

int CHKDIM::CHKHKA() {
  if (!is_hook_style(IBS, IA)) return 1;
  HOOKA = HKTAB(IBS, IA);
  return 0;
}

int CHKDIM::CHKHKG() {
  if (!is_hook_style(IBS, IG)) return 1;
  HOOKG = HKTAB(IBS, IG);
  return 0;
}

int CHKDIM::CHKANG() {
  if (ANGLE == 0.0f || ANGLE == 90.0f) return 2;
  const float radians = ANGLE * kRadiansPerDegree;
  COSANG = cos_f(radians);
  return CHKN1();
}

int CHKDIM::CHKN1() const { return N1 < 2.0f ? 1 : 0; }

int CHKDIM::CHKPOS(float x, float y) { return (x > 0.0f && y > 0.0f) ? 0 : 1; }

}  // namespace barlist::geometry
