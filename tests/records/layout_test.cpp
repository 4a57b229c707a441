#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/decode.h"
#include "records/format.h"
#include "records/layout.h"

namespace barlist::records {
namespace {

struct Collected : RecordSink {
  std::vector<std::string> records;
  std::vector<bool> line_ends;
  void emit(std::string_view record, bool line_end) override {
    records.emplace_back(record);
    line_ends.push_back(line_end);
  }
};

std::vector<std::string> format(const Layout& layout, std::initializer_list<Value> values) {
  Collected sink;
  format_records(layout, std::span<const Value>(values.begin(), values.size()), sink);
  return sink.records;
}

using Records = std::vector<std::string>;

TEST(Layout, ParsesItemsRepeatCountsAndGroups) {
  constexpr Layout layout("('0',4A4,I9,' kg    x',2X,I2,7(1X,A6),F10.2,/,$)");
  const auto items = layout.items();
  ASSERT_EQ(items.size(), 13u);
  EXPECT_EQ(items[1].kind, ItemKind::Text);
  EXPECT_EQ(items[1].repeat, 4);
  EXPECT_EQ(items[6].kind, ItemKind::GroupOpen);
  EXPECT_EQ(items[6].repeat, 7);
  EXPECT_EQ(items[6].partner, 9);
  EXPECT_EQ(items[10].decimals, 2);
  EXPECT_EQ(layout.restart_index(), 6);
  EXPECT_THROW(Layout("(A4"), std::invalid_argument);
  EXPECT_THROW(Layout("(Q4)"), std::invalid_argument);
  EXPECT_THROW(Layout("(F6)"), std::invalid_argument);
  EXPECT_THROW(Layout("('open)"), std::invalid_argument);
}

TEST(Format, FieldsLiteralsAndTheHighWaterMark) {
  constexpr Layout unit_line("('0',4A4,I9,' kg    x',2X,I2,2X,'=',I9,' kg   at',F6.2,2X,'= $',F10.2)");
  EXPECT_EQ(format(unit_line, {Value::cells("FOOTING         ", 4), 25, 4, 100, 1.25f, 125.0f}),
            Records{"0FOOTING                25 kg    x   4  =      100 kg   at  1.25  = $    125.00"});
  // A trailing skip adds nothing; a skip before a later field leaves blanks.
  constexpr Layout skips("('AB',4X,/,30X,'CD')");
  EXPECT_EQ(format(skips, {}), (Records{"AB", std::string(30, ' ') + "CD"}));
  constexpr Layout quote("('IT''S',A2)");
  EXPECT_EQ(format(quote, {"OK"}), Records{"IT'SOK"});
}

TEST(Format, StopsAtTheFirstDataItemWithoutAValue) {
  EXPECT_EQ(format(Layout("(A1)"), {}), Records{""});
  EXPECT_EQ(format(Layout("('0','ERROR 2, NO UNIT CARD, PROBLEM ',A4)"), {}),
            Records{"0ERROR 2, NO UNIT CARD, PROBLEM "});
  EXPECT_EQ(format(Layout("('A',I2,'B',I2,'C')"), {1}), Records{"A 1B"});
  EXPECT_EQ(format(Layout("('X',/,/,'Y')"), {}), (Records{"X", "", "Y"}));
}

TEST(Format, RestartsAtTheLastOutermostGroupWhenValuesRemain) {
  EXPECT_EQ(format(Layout("(I2)"), {1, 2, 3}), (Records{" 1", " 2", " 3"}));
  EXPECT_EQ(format(Layout("('H',I2,2(I1,'.'))"), {1, 2, 3, 4, 5}), (Records{"H 12.3.", "4.5."}));
  // No data items to take the values: the record ends all the same.
  EXPECT_EQ(format(Layout("('ONLY')"), {1}), Records{"ONLY"});
}

TEST(Format, DollarLeavesTheLineOpen) {
  Collected sink;
  const Value none[1] = {0};
  format_records(Layout("(' ENTER: ',$)"), std::span<const Value>(none, 0), sink);
  EXPECT_EQ(sink.records, Records{" ENTER: "});
  EXPECT_EQ(sink.line_ends, std::vector<bool>{false});
}

TEST(Decode, CardFieldsWithTheInputRules) {
  std::array<char, 3> mark{};
  std::array<char, 4> word{};
  std::int32_t size = -1;
  float count = -1, price = -1;
  constexpr Layout layout("(1X,I2,A3,F4.0,F4.2,A6)");
  ASSERT_EQ(decode_fields(" 13A0112  0085ABCDEF", layout, {size, mark, count, price, word}), ReadStatus::Ok);
  EXPECT_EQ(size, 13);
  EXPECT_EQ(std::string(mark.data(), 3), "A01");
  EXPECT_EQ(count, 12.0f);
  EXPECT_EQ(price, 0.85f);
  EXPECT_EQ(std::string(word.data(), 4), "CDEF");
  // Past the end of a short record the columns read as blanks.
  ASSERT_EQ(decode_fields(" 1", layout, {size, mark, count, price, word}), ReadStatus::Ok);
  EXPECT_EQ(size, 1);
  EXPECT_EQ(std::string(word.data(), 4), "    ");
  EXPECT_EQ(decode_fields(" 1X", layout, {size}), ReadStatus::ConversionError);
}

TEST(Decode, ArraysOfCellsTakeOneItemEach) {
  std::array<char, 80> card{};
  ASSERT_EQ(decode_fields("0123456789", Layout("(80A1)"), {Target::cells(card, 1)}), ReadStatus::Ok);
  EXPECT_EQ(std::string(card.data(), 80), "0123456789" + std::string(70, ' '));
  std::array<char, 16> name{};
  ASSERT_EQ(decode_fields("UBENT 1", Layout("(1X,4A4)"), {Target::cells(name, 4)}), ReadStatus::Ok);
  EXPECT_EQ(std::string(name.data(), 16), "BENT 1          ");
}

TEST(Encode, IntegerIntoASixCharacterCell) {
  std::array<char, 6> cell{};
  encode_fields(cell, Layout("(I6)"), Value(2500));
  EXPECT_EQ(std::string(cell.data(), 6), "  2500");
}

}  // namespace
}  // namespace barlist::records
