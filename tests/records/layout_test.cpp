#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "records/data_shapes.h"
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
}

// What the compiler says of a layout it rejects.
TEST(Layout, MalformedLayoutsAndOverlongRecordsAreRejected) {
  EXPECT_EQ(layout_error("(A4"), "a layout is missing its ')'");
  EXPECT_EQ(layout_error("(Q4)"), "unknown item in a layout");
  EXPECT_EQ(layout_error("(F6)"), "Fw.d needs its decimals");
  EXPECT_EQ(layout_error("('open)"), "a literal is missing its closing quote");
  EXPECT_EQ(layout_error("(A1,,A1)"), "an item is missing before a comma");
  // A record holds 512 columns: a step may end at the last, not past it,
  // however the columns are reached; a skip that writes nothing may.
  EXPECT_EQ(layout_error("(510X,'AB')"), "");
  EXPECT_EQ(layout_error("(511X,'AB')"), "a record is longer than 512 columns");
  EXPECT_EQ(layout_error("(2(256A1))"), "");
  EXPECT_EQ(layout_error("(3(200A1))"), "a record is longer than 512 columns");
  EXPECT_EQ(layout_error("(3(200A1,/))"), "");
  EXPECT_EQ(layout_error("(1000X,1000X,I1)"), "a record is longer than 512 columns");
  EXPECT_EQ(layout_error("(A1,1000X)"), "");
  EXPECT_EQ(layout_error("(129('A'))"), "layout unrolls to too many steps");
}

TEST(Format, FieldsLiteralsAndTheHighWaterMark) {
  constexpr Layout unit_line("('0',4A4,I9,' kg    x',2X,I2,2X,'=',I9,' kg   at',F6.2,2X,'= $',F10.2)");
  EXPECT_EQ(format(unit_line, {Value::cells("FOOTING         ", 4), 25, 4, 100, 1.25f, 125.0f}),
            Records{"0FOOTING                25 kg    x   4  =      100 kg   at  1.25  = $    125.00"});
  // A trailing skip adds nothing; a skip before a later field leaves blanks.
  constexpr Layout skips("('AB',4X,/,30X,'CD')");
  EXPECT_EQ(format(skips, {}), (Records{"AB", std::string(30, ' ') + "CD"}));
  constexpr Layout quote("('IT''S',A2,'''','A''''B')");
  EXPECT_EQ(format(quote, {"OK"}), Records{"IT'SOK'A''B"});
  // The longest record there is, to its last column.
  constexpr Layout widest("(A1,509X,'AB')");
  EXPECT_EQ(format(widest, {"W"}), Records{"W" + std::string(509, ' ') + "AB"});
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
  // Each pass after a restart starts at the record's first column, whatever
  // column the group took in the first; a slash inside it still ends records.
  EXPECT_EQ(format(Layout("(3X,'H',2(I1,'.'),'E')"), {1, 2, 3}), (Records{"   H1.2.E", "3."}));
  EXPECT_EQ(format(Layout("('A',2(I1,/,'-'))"), {1, 2, 3}), (Records{"A1", "-2", "-", "3", "-"}));
  // A run of cells goes on into the pass after a restart.
  EXPECT_EQ(format(Layout("('T',2A2)"), {Value::cells("abcdefg", 2)}), (Records{"Tabcd", "Tef g"}));
}

TEST(Format, AValueOfTheWrongKindIsAProgrammingError) {
  EXPECT_THROW(format(Layout("(I2)"), {"AB"}), std::logic_error);
  EXPECT_THROW(format(Layout("(F6.2)"), {2}), std::logic_error);
  EXPECT_THROW(format(Layout("(A2)"), {2.5f}), std::logic_error);
}

// The kinds of a call site's arguments, known from their types, against the
// data items they meet.
constexpr Layout kUnitLine{"('0',4A4,I9,' kg    x',2X,I2,2X,'=',I9,' kg   at',F6.2,2X,'= $',F10.2)"};
constexpr Layout kNumbers{"('H',I2,2(I1,F3.1))"};
constexpr Layout kCard{"(1X,I2,A3,F4.0,80A1)"};
static_assert(values_fit<kUnitLine, TextCells, int, long, long long, float, float>());
static_assert(values_fit<kUnitLine, TextCells, int>());  // output stops at the first item without a value
static_assert(values_fit<kUnitLine, std::string_view, const char*, std::array<char, 4>, std::string, int>());
static_assert(!values_fit<kUnitLine, TextCells, float>());
static_assert(!values_fit<kUnitLine, TextCells, int, int, int, float, float, int>());  // restarts at a text
static_assert(!values_fit<kUnitLine, Value>());  // a Value's kind is known only at run time
static_assert(values_fit<kNumbers, int, int, float, int, float, int, float, int, float>());
static_assert(!values_fit<kNumbers, int, int, float, int, float, float>());
static_assert(targets_fit<kCard, std::int32_t&, std::array<char, 3>&, float&, TargetCells>());
static_assert(targets_fit<kCard, std::int32_t&, TargetCells, float&>());  // a run of one cell
static_assert(!targets_fit<kCard, std::int32_t&, TargetCells, std::int32_t&>());
static_assert(!targets_fit<kCard, float&>());
static_assert(!targets_fit<kCard, std::int32_t&, std::array<char, 3>&, float&, float&>());

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
  // The same card with the targets' kinds checked by the compiler.
  std::array<char, 80> rest{};
  ASSERT_EQ(decode_fields<kCard>(" 13A0112  0085ABCDEF", size, mark, count, Target::cells(rest, 1)), ReadStatus::Ok);
  EXPECT_EQ(size, 13);
  EXPECT_EQ(std::string(rest.data(), 12), "0085ABCDEF  ");
}

// A read with its kinds checked follows a plan the compiler made; it must
// read what the walk reads: no columns for literals, slashes and restarts on
// the following records, blanks past a record's end, a stop at a failure.
struct Lines : RecordSource {
  std::vector<std::string> lines;
  std::size_t next = 0;
  std::string_view following_record() override {
    return next < lines.size() ? std::string_view(lines[next++]) : std::string_view();
  }
};
constexpr Layout kInput{"(1X,I2,'LITERAL',A3,2(F4.1,/,I1))"};
TEST(Decode, APlannedReadReadsWhatTheWalkReads) {
  for (const char* first : {" 12ABC 1.5", " 12ABC 1.5X", " 1"}) {
    std::int32_t planned_i[4] = {}, walked_i[4] = {};
    std::array<char, 3> planned_a{}, walked_a{};
    float planned_f[3] = {}, walked_f[3] = {};
    Lines planned_more, walked_more;
    planned_more.lines = walked_more.lines = {"7  25", "8", "9  -3", "6"};
    const ReadStatus planned =
        decode_records<kInput>(first, planned_more, planned_i[0], planned_a, planned_f[0], planned_i[1], planned_f[1],
                               planned_i[2], planned_f[2], planned_i[3]);
    const Target targets[] = {walked_i[0], walked_a,    walked_f[0], walked_i[1],
                              walked_f[1], walked_i[2], walked_f[2], walked_i[3]};
    const ReadStatus walked = decode_fields(first, kInput, targets, walked_more);
    EXPECT_EQ(planned, walked) << first;
    EXPECT_EQ(planned_more.next, walked_more.next) << first;
    EXPECT_TRUE(std::equal(planned_i, planned_i + 4, walked_i)) << first;
    EXPECT_EQ(planned_a, walked_a) << first;
    EXPECT_TRUE(std::equal(planned_f, planned_f + 3, walked_f)) << first;
  }
  std::int32_t size = 0;
  std::array<char, 3> mark{};
  Lines none;
  ASSERT_EQ(decode_records<kInput>(" 16A01", none, size, mark), ReadStatus::Ok);
  EXPECT_EQ(size, 16);
  EXPECT_EQ(std::string(mark.data(), 3), "A01");  // the literal took no columns
  EXPECT_EQ(none.next, 0u);                       // nor was a record read past the targets
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
