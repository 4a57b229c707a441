#include "geometry/bar_length.h"
#include "geometry/length_rounding.h"

#include <gtest/gtest.h>

namespace barlist::geometry {
namespace {

void expect_stored(const BarShape& bar, float BARL, int BARFT, int BARIN) {
  const BarLength got = bar_length(bar);
  EXPECT_EQ(got.failure, ShapeFailure::none);
  EXPECT_EQ(got.BARL, BARL);
  EXPECT_EQ(got.BARFT, BARFT);
  EXPECT_EQ(got.BARIN, BARIN);
}

TEST(BarLength, SizeIsCheckedFirst) {
  EXPECT_EQ(bar_length({.IBS = 11, .LFT = 10}).failure, ShapeFailure::size);
  EXPECT_EQ(bar_length({.IBS = 12, .ITYPE = 2, .A = 100}).failure, ShapeFailure::size);
}

TEST(BarLength, WrittenLengthIsTakenAsWritten) {
  expect_stored({.IBS = 16, .LFT = 123, .LIN = 45, .ITYPE = 99}, 12345, 123, 45);
  expect_stored({.IBS = 16, .LIN = 7, .ITYPE = 0, .IA = 2}, 7, 0, 7);
  expect_stored({.IBS = 16, .LFT = 9999, .LIN = 99}, 999999, 9999, 99);
  // Values the card's columns cannot hold are not converted.
  EXPECT_EQ(bar_length({.IBS = 16, .LFT = 1e12f}).failure, ShapeFailure::dimension);
  EXPECT_EQ(bar_length({.IBS = 16, .LFT = -1, .LIN = 50}).failure, ShapeFailure::dimension);
}

TEST(BarLength, RoundsToFiveMillimetres) {
  EXPECT_EQ(round_to_5mm(3002.5f), 3005.0f);
  EXPECT_EQ(round_to_5mm(3002.4f), 3000.0f);
  EXPECT_EQ(round_to_5mm(3007.5f), 3010.0f);
  EXPECT_EQ(round_to_5mm(3000.0f), 3000.0f);
  expect_stored({.IBS = 10, .ITYPE = 2, .A = 3002.5f}, 3005, 30, 5);
  expect_stored({.IBS = 10, .ITYPE = 13, .A = 100, .B = 100}, 105, 1, 5);
  expect_stored({.IBS = 10, .ITYPE = 3}, 0, 0, 0);  // blank dimensions are accepted
  EXPECT_EQ(split_length(12345.0f).BARFT, 123);
  EXPECT_EQ(split_length(12345.0f).BARIN, 45);
}

// Lengths that cannot be rounded and stored fail as a dimension, never converted.
TEST(BarLength, UnstorableLengthIsError10) {
  const BarShape cases[] = {
      {.IBS = 10, .ITYPE = 13, .A = 300, .B = 100},                           // root of -12500: NaN
      {.IBS = 10, .ITYPE = 45, .A = 1000, .C = 100},                          // B = 0: infinite
      {.IBS = 10, .ITYPE = 11, .A = 100, .B = 1000, .C = 100, .ANGLE = 270},  // negative
      {.IBS = 10,
       .ITYPE = 42,
       .A = 100,
       .B = 200,
       .C = 300,
       .D = 400,
       .E = 500,
       .F = 2100,
       .N1 = 3,
       .ANGLE = 270},                        // cosine near 0
      {.IBS = 10, .ITYPE = 2, .A = 999998},  // rounds to 1,000,000
  };
  for (const BarShape& bar : cases) EXPECT_EQ(bar_length(bar).failure, ShapeFailure::dimension) << bar.ITYPE;
  expect_stored({.IBS = 10, .ITYPE = 2, .A = 999997}, 999995, 9999, 95);
  EXPECT_FALSE(is_storable_length(999997.5f));
  EXPECT_TRUE(is_storable_length(999997.4375f));
}

}  // namespace
}  // namespace barlist::geometry
