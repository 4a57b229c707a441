#include "geometry/bar_sizes.h"

#include <climits>
#include <initializer_list>

#include <gtest/gtest.h>

namespace barlist::geometry {
namespace {

// The rules around the tables, not their values: eleven sizes, each with a
// mass; styles 2 and 6 add nothing, 4 and 5 nothing above size 25; anything
// outside the tables weighs and adds nothing.
TEST(BarSizes, ElevenSizesAndNothingOutsideTheTables) {
  int count = 0;
  for (int IBS = -100; IBS <= 100; ++IBS) {
    count += is_bar_size(IBS) ? 1 : 0;
    EXPECT_EQ(BWTFT(IBS) > 0.0f, is_bar_size(IBS)) << IBS;
  }
  EXPECT_EQ(count, 11);
  for (int IBS : {INT_MIN, INT_MAX}) {
    EXPECT_FALSE(is_bar_size(IBS));
    EXPECT_EQ(BWTFT(IBS), 0.0f);
  }
  for (int IBS : {10, 25, 57}) {
    EXPECT_GT(HKTAB(IBS, 1), 0.0f);
    EXPECT_EQ(HKTAB(IBS, 2), 0.0f);
    EXPECT_EQ(HKTAB(IBS, 6), 0.0f);
    EXPECT_EQ(HKTAB(IBS, 0), 0.0f);
    EXPECT_EQ(HKTAB(IBS, 7), 0.0f);
  }
  EXPECT_GT(HKTAB(25, 4), 0.0f);
  EXPECT_EQ(HKTAB(29, 4), 0.0f);
  EXPECT_EQ(HKTAB(29, 5), 0.0f);
  EXPECT_EQ(HKTAB(11, 1), 0.0f);
  EXPECT_EQ(HKTAB(INT_MAX, INT_MIN), 0.0f);
}

}  // namespace
}  // namespace barlist::geometry
