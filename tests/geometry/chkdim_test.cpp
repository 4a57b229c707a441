#include "geometry/chkdim.h"

#include <gtest/gtest.h>

namespace barlist::geometry {
namespace {

TEST(HookStyle, Boundaries) {
  EXPECT_FALSE(is_hook_style(10, 0));
  EXPECT_TRUE(is_hook_style(10, 1));
  EXPECT_FALSE(is_hook_style(10, 2));
  EXPECT_TRUE(is_hook_style(10, 3));
  EXPECT_TRUE(is_hook_style(25, 4));
  EXPECT_TRUE(is_hook_style(25, 5));
  EXPECT_FALSE(is_hook_style(29, 4));
  EXPECT_FALSE(is_hook_style(29, 5));
  EXPECT_TRUE(is_hook_style(57, 6));
  EXPECT_FALSE(is_hook_style(10, 7));
}

TEST(HookChecks, LookUpAllowancesOnlyWhenValid) {
  CHKDIM chk{.IBS = 25, .IA = 5, .IG = 6, .HOOKA = -1, .HOOKG = -1};
  EXPECT_EQ(chk.CHKHKA() + chk.CHKHKG(), 0);
  EXPECT_EQ(chk.HOOKA, 270.0f);
  EXPECT_EQ(chk.HOOKG, 0.0f);

  CHKDIM bad{.IBS = 29, .IA = 5, .IG = 2, .HOOKA = -1, .HOOKG = -1};
  EXPECT_EQ(bad.CHKHKA(), 1);
  EXPECT_EQ(bad.CHKHKG(), 1);
  EXPECT_EQ(bad.HOOKA, -1.0f);
  EXPECT_EQ(bad.HOOKG, -1.0f);
}

TEST(AngleAndCountChecks, StatusAndCosine) {
  EXPECT_EQ((CHKDIM{.N1 = 1, .ANGLE = 90}.CHKANG()), 2);  // angle wins over count
  EXPECT_EQ((CHKDIM{.N1 = 5, .ANGLE = 0}.CHKANG()), 2);
  EXPECT_EQ((CHKDIM{.N1 = 1, .ANGLE = 45}.CHKANG()), 1);
  EXPECT_EQ((CHKDIM{.N1 = 1.9f}.CHKN1()), 1);
  EXPECT_EQ((CHKDIM{.N1 = 2}.CHKN1()), 0);

  CHKDIM wide{.N1 = 2, .ANGLE = 270};
  EXPECT_EQ(wide.CHKANG(), 0);
  EXPECT_LT(wide.COSANG, 0.0f);

  // cos(81 * 0.01745329f) correctly rounded; the C library's cosf gives 0x1.4060cap-3.
  CHKDIM at81{.N1 = 2, .ANGLE = 81};
  EXPECT_EQ(at81.CHKANG(), 0);
  EXPECT_EQ(at81.COSANG, 0x1.4060c8p-3f);
}

TEST(PositivityCheck, BothStrictlyPositive) {
  EXPECT_EQ(CHKDIM::CHKPOS(1, 1), 0);
  EXPECT_EQ(CHKDIM::CHKPOS(0, 1), 1);
  EXPECT_EQ(CHKDIM::CHKPOS(1, 0), 1);
  EXPECT_EQ(CHKDIM::CHKPOS(-5, 5), 1);
}

}  // namespace
}  // namespace barlist::geometry
