#include "weights/totals.h"

#include <gtest/gtest.h>

#include <limits>

namespace barlist::weights {
namespace {

TEST(Totals, AUnitOfBarsClosesRoundedMultipliedAndPriced) {
  Totals totals;
  totals.open_problem();
  totals.open_unit();
  totals.add_bar(2500.0f, 13, 10.0f);  // 10 bars of 2500 mm at 0.000994 kg/mm
  EXPECT_FLOAT_EQ(totals.UNWT, 24.85f);
  const events::UnitFigures unit = totals.close_unit(4.0f, 1.25f);
  EXPECT_EQ(unit.unit_weight_kg, 25.0f);
  EXPECT_EQ(unit.total_weight_kg, 100.0f);
  EXPECT_EQ(unit.total_cost, 125.0f);
  EXPECT_EQ(totals.UNWT, 25.0f);  // keeps its rounded value until the next unit
  EXPECT_EQ(totals.STWT, 100.0f);
  EXPECT_EQ(totals.GTCOST, 125.0f);
}

TEST(Totals, UnitWeightRoundsHalfUpAndNegativesTowardZero) {
  const auto close = [](float weight) {
    Totals totals;
    totals.open_unit();
    totals.add_lump_weight(weight, 1.0f);
    return totals.close_unit(1.0f, 1.0f).unit_weight_kg;
  };
  EXPECT_EQ(close(24.5f), 25.0f);
  EXPECT_EQ(close(24.49f), 24.0f);
  EXPECT_EQ(close(-3.7f), -3.0f);
  EXPECT_EQ(close(-0.4f), 0.0f);
  EXPECT_EQ(close(0.0f), 0.0f);
}

TEST(Totals, SubtotalsCarryTheUnroundedProducts) {
  Totals totals;
  totals.open_problem();
  for (const float weight : {201.0f, 401.0f}) {
    totals.open_unit();
    totals.add_lump_weight(weight, 1.0f);
    const events::UnitFigures unit = totals.close_unit(0.5f, 1.0f);
    EXPECT_EQ(whole(unit.total_weight_kg), static_cast<std::int64_t>(weight / 2));
  }
  EXPECT_EQ(whole(totals.STWT), 301);  // 100.5 + 200.5, not 300
  totals.open_subtotal_group();
  EXPECT_EQ(totals.STWT, 0.0f);
  EXPECT_EQ(whole(totals.GTWT), 301);
}

TEST(Totals, WholeNumbersTruncateAndOverflowToAsterisks) {
  EXPECT_EQ(whole(2.99f), 2);
  EXPECT_EQ(whole(-2.99f), -2);
  EXPECT_EQ(whole(2147483520.0f), 2147483520);
  EXPECT_GT(whole(3e9f), std::numeric_limits<std::int32_t>::max());
  EXPECT_GT(whole(-3e9f), std::numeric_limits<std::int32_t>::max());
  EXPECT_GT(whole(std::numeric_limits<float>::quiet_NaN()), std::numeric_limits<std::int32_t>::max());
}

}  // namespace
}  // namespace barlist::weights
