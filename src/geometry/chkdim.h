// The checks that guard a bar's geometry. Each entry returns the status IERR:
// 0 accepted, 1 rejected, 2 angle rejected (CHKANG only). An entry that accepts a lookup
// stores the looked-up value (HOOKA, HOOKG, COSANG) for the length formula to read.
#pragma once

namespace barlist::geometry {

// Hook style s is valid at size IBS when 1 <= s <= 6, s != 2, and not s of 4 or 5 on a bar
// larger than kLargestSizeWithStyles4And5.
bool is_hook_style(int IBS, int style);

struct CHKDIM {
  // Fields of the bar being checked.
  int IBS = 0;
  int IA = 0;
  int IG = 0;
  float N1 = 0;
  float ANGLE = 0;
  // Values looked up by the checks that accepted.
  float HOOKA = 0;
  float HOOKG = 0;
  float COSANG = 0;

  int CHKBS() const;                    // bar size
  int CHKHKA();                         // style IA, sets HOOKA
  int CHKHKG();                         // style IG, sets HOOKG
  int CHKANG();                         // ANGLE 0 or 90 gives 2; otherwise sets COSANG and returns CHKN1()
  int CHKN1() const;                    // 1 when N1 < 2
  static int CHKPOS(float x, float y);  // 0 only when both are strictly positive
};

}  // namespace barlist::geometry
