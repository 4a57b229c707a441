#include "deck/tables.h"

#include <gtest/gtest.h>

namespace barlist::deck {
namespace {

TEST(BarLengthTable, HoldsExactly2000BarsInCardOrder) {
  BarLengthTable table;
  for (int i = 1; i <= 2000; ++i) ASSERT_TRUE(table.add({i, i % 100}));
  EXPECT_EQ(table.NB(), 2000);
  EXPECT_FALSE(table.add({1, 0}));
  EXPECT_EQ(table.NB(), 2000);
  EXPECT_EQ(table.at(1).BARFT, 1);
  EXPECT_EQ(table.at(2000).BARIN, 0);
}

TEST(StoreTable, FindsTheFirstBarOfASizeAndMarkAndHolds998) {
  StoreTable store;
  const BarLabel a{13, {'A', '0', '1'}};
  const BarLabel b{16, {'A', '0', '1'}};
  ASSERT_TRUE(store.add(5, a, 10));
  ASSERT_TRUE(store.add(6, a, 11));
  ASSERT_TRUE(store.add(7, b, 12));
  EXPECT_EQ(store.find(a)->NB, 5);
  EXPECT_EQ(store.find(a)->line, 10u);
  EXPECT_EQ(store.find(b)->NB, 7);
  EXPECT_EQ(store.find(BarLabel{13, {'A', '0', '2'}}), nullptr);
  store.clear();
  EXPECT_EQ(store.find(a), nullptr);
  for (int i = 0; i < 998; ++i) ASSERT_TRUE(store.add(i, a, 1));
  EXPECT_FALSE(store.add(999, a, 1));
}

}  // namespace
}  // namespace barlist::deck
