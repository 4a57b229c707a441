#include "geometry/bar_sizes.h"

#include <climits>
#include <initializer_list>

#include <gtest/gtest.h>

namespace barlist::geometry {
namespace {

TEST(BarSizes, ExactlyTheElevenMetricSizes) {
  int count = 0;
  for (int IBS = -100; IBS <= 100; ++IBS) count += is_bar_size(IBS) ? 1 : 0;
  EXPECT_EQ(count, 11);
  for (int IBS : {10, 13, 16, 19, 22, 25, 29, 32, 36, 43, 57}) EXPECT_TRUE(is_bar_size(IBS));
  for (int IBS : {0, 11, 12, 58, INT_MIN, INT_MAX}) EXPECT_FALSE(is_bar_size(IBS));
}

TEST(BarSizes, MassPerMillimetre) {
  EXPECT_EQ(BWTFT(10), 0.000560f);
  EXPECT_EQ(BWTFT(25), 0.003973f);
  EXPECT_EQ(BWTFT(57), 0.020240f);
  EXPECT_FLOAT_EQ(1000.0f * BWTFT(10), 0.56f);
  EXPECT_FLOAT_EQ(1000.0f * BWTFT(57), 20.24f);
  for (int IBS : {0, 11, 58, INT_MIN, INT_MAX}) EXPECT_EQ(BWTFT(IBS), 0.0f);
}

TEST(BarSizes, HookAllowances) {
  EXPECT_EQ(HKTAB(13, 5), 115.0f);
  EXPECT_EQ(HKTAB(25, 4), 410.0f);
  EXPECT_EQ(HKTAB(57, 1), 925.0f);
  EXPECT_EQ(HKTAB(57, 3), 1050.0f);
  // Style 2 and 6 add nothing; 4 and 5 have no allowance above size 25.
  EXPECT_EQ(HKTAB(16, 2), 0.0f);
  EXPECT_EQ(HKTAB(16, 6), 0.0f);
  EXPECT_EQ(HKTAB(29, 4), 0.0f);
  // Outside the table.
  EXPECT_EQ(HKTAB(16, 0), 0.0f);
  EXPECT_EQ(HKTAB(16, 7), 0.0f);
  EXPECT_EQ(HKTAB(11, 1), 0.0f);
  EXPECT_EQ(HKTAB(INT_MAX, INT_MIN), 0.0f);
}

}  // namespace
}  // namespace barlist::geometry
