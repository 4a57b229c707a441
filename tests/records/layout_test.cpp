#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "records/decode.h"
#include "records/input_channel.h"
#include "records/layout.h"
#include "records/output_channel.h"

namespace barlist::records {
namespace {

// Keeps every record a layout writes, and whether its line ends.
struct Collected {
  std::vector<std::string> records;
  std::vector<bool> line_ends;
  char room[kMaxRecordColumns];
  char* begin_record(int) { return room; }
  void end_record(int length, bool line_end) {
    records.emplace_back(room, static_cast<std::size_t>(length));
    line_ends.push_back(line_end);
  }
};

std::vector<std::string> format(const Layout& layout, std::initializer_list<Value> values) {
  Collected sink;
  write_records(layout, std::span<const Value>(values.begin(), values.size()), sink);
  return sink.records;
}

ReadResult read(std::string_view record, const Layout& layout, std::initializer_list<Target> targets) {
  return read_records(layout, record, std::span<const Target>(targets.begin(), targets.size()), nullptr);
}
ReadStatus decode(std::string_view record, const Layout& layout, std::initializer_list<Target> targets) {
  return read(record, layout, targets).status;
}

using Records = std::vector<std::string>;

// Groups are repeated in place and skips folded into the columns; the pass
// after a restart starts at the last outermost group, on a new record.
TEST(Layout, ItemsStandAtTheirColumnsWithGroupsUnrolled) {
  constexpr Layout layout("('0',4A4,I9,' kg',2X,2(1X,A6),'IT''S',F10.2,/,$)");
  const auto items = layout.first_pass();
  ASSERT_EQ(items.size(), 11u);
  EXPECT_EQ(items[1].kind, ItemKind::Text);
  EXPECT_EQ(items[1].repeat, 4);
  EXPECT_EQ(items[2].column, 17);
  EXPECT_EQ(items[2].input_column, 16);  // literals take no columns on input
  EXPECT_EQ(items[4].column, 32);        // after the skip of 2 and the group's 1X
  EXPECT_EQ(items[5].column, 39);
  EXPECT_EQ(items[6].text, "IT'");
  EXPECT_EQ(items[7].text, "S");
  EXPECT_EQ(items[8].decimals, 2);
  EXPECT_EQ(items[9].kind, ItemKind::Slash);
  EXPECT_EQ(layout.widest_record(), 59);
  const auto again = layout.pass_after_restart();
  ASSERT_EQ(again.size(), 7u);
  EXPECT_EQ(again[0].column, 1);
  EXPECT_EQ(Layout("('NO FIELDS')").pass_after_restart().size(), 0u);
}

// What the compiler says of a layout it rejects.
TEST(Layout, MalformedLayoutsAndOverlongRecordsAreRejected) {
  EXPECT_EQ(layout_error("(A4"), "a layout is missing its ')'");
  EXPECT_EQ(layout_error("(Q4)"), "unknown item in a layout");
  EXPECT_EQ(layout_error("(F6)"), "Fw.d needs its decimals");
  EXPECT_EQ(layout_error("('open)"), "a literal is missing its closing quote");
  EXPECT_EQ(layout_error("(A1,,A1)"), "an item is missing before a comma");
  // A record holds 512 columns: an item may end at the last, not past it,
  // however the columns are reached; a skip that writes nothing may.
  EXPECT_EQ(layout_error("(510X,'AB')"), "");
  EXPECT_EQ(layout_error("(511X,'AB')"), "a record is longer than 512 columns");
  EXPECT_EQ(layout_error("(2(256A1))"), "");
  EXPECT_EQ(layout_error("(3(200A1))"), "a record is longer than 512 columns");
  EXPECT_EQ(layout_error("(3(200A1,/))"), "");
  EXPECT_EQ(layout_error("(1000X,1000X,I1)"), "a record is longer than 512 columns");
  EXPECT_EQ(layout_error("(A1,1000X)"), "");
  EXPECT_EQ(layout_error("(129('A'))"), "a layout has too many items");
  EXPECT_EQ(layout_error("(A1 A1)"), "a comma is missing between items");
  EXPECT_EQ(layout_error("(0(A1))"), "a repeat count must be at least 1");
  EXPECT_EQ(layout_error("(X)"), "nX needs its count");
  EXPECT_EQ(layout_error("('A')B"), "text after the closing ')'");
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
  // The restart is at the outermost group, not at a group inside it.
  EXPECT_EQ(format(Layout("(I1,2(I1,2('.',A1)))"), {1, 2, "a", "b", 3, "c", "d", 4, "e"}),
            (Records{"12.a.b3.c.d", "4.e."}));
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
constexpr Layout kHeader{"('0',9A1,'X',A4,/,8A1)"};
constexpr Layout kCard{"(1X,I2,A3,F4.0,A6)"};
static_assert(arguments_fit<kUnitLine, TextCells, int, long, long long, float, float>());
static_assert(arguments_fit<kUnitLine, TextCells, int>());  // output stops at the first item without a value
static_assert(arguments_fit<kUnitLine, std::string_view, const char*, std::array<char, 4>, std::string, int>());
static_assert(!arguments_fit<kUnitLine, TextCells, float>());
static_assert(!arguments_fit<kUnitLine, TextCells, int, int, int, float, float, int>());  // restarts at a text
static_assert(!arguments_fit<kUnitLine, Value>());  // a Value's kind is known only at run time
static_assert(arguments_fit<kNumbers, int, int, float, int, float, int, float, int, float>());
static_assert(!arguments_fit<kNumbers, int, int, float, int, float, float>());
// A run of cells takes as many text items in a row as it needs, the next
// text argument the one after.
static_assert(arguments_fit<kHeader, TextCells, std::string_view, TextCells>());
static_assert(arguments_fit<kHeader, TextCells, TextCells>());
static_assert(arguments_fit<kCard, std::int32_t&, std::array<char, 3>&, float&, std::array<char, 4>&>());
static_assert(!arguments_fit<kCard, float&>());
static_assert(!arguments_fit<kCard, std::int32_t&, std::array<char, 3>&, float&, float&>());

TEST(Format, DollarLeavesTheLineOpen) {
  Collected sink;
  write_records(Layout("(' ENTER: ',$)"), {}, sink);
  EXPECT_EQ(sink.records, Records{" ENTER: "});
  EXPECT_EQ(sink.line_ends, std::vector<bool>{false});
}

TEST(Decode, CardFieldsWithTheInputRules) {
  std::array<char, 3> mark{};
  std::array<char, 4> word{};
  std::int32_t size = -1;
  float count = -1, price = -1;
  constexpr Layout layout("(1X,I2,A3,F4.0,F4.2,A6)");
  ASSERT_EQ(decode(" 13A0112  0085ABCDEF", layout, {size, mark, count, price, word}), ReadStatus::Ok);
  EXPECT_EQ(size, 13);
  EXPECT_EQ(std::string(mark.data(), 3), "A01");
  EXPECT_EQ(count, 12.0f);
  EXPECT_EQ(price, 0.85f);
  EXPECT_EQ(std::string(word.data(), 4), "CDEF");
  // Past the end of a short record the columns read as blanks.
  ASSERT_EQ(decode(" 1", layout, {size, mark, count, price, word}), ReadStatus::Ok);
  EXPECT_EQ(size, 1);
  EXPECT_EQ(std::string(word.data(), 4), "    ");
  // A field that does not convert stops the read: the targets before it are
  // filled, none after.
  size = -1;
  count = price = -1;
  const ReadResult failed = read(" 7 A01 X  ", layout, {size, mark, count, price});
  EXPECT_EQ(failed.status, ReadStatus::ConversionError);
  EXPECT_EQ(failed.failed_target, 2u);  // the count
  EXPECT_EQ(size, 7);
  EXPECT_EQ(count, -1);
  EXPECT_EQ(price, -1);
  EXPECT_EQ(decode(" 99999999999", Layout("(1X,I11)"), {size}), ReadStatus::Overflow);
}

// Literals take no columns on input; a slash and a restart go on to the
// following records, which are blank after text held in memory; nothing is
// read past the targets.
TEST(Decode, SlashesAndRestartsOnInput) {
  std::int32_t a = -1, b = -1, c = -1;
  std::array<char, 3> mark{};
  ASSERT_EQ(decode(" 16A01", Layout("(1X,I2,'LITERAL',A3,/,I1)"), {a, mark, b}), ReadStatus::Ok);
  EXPECT_EQ(a, 16);
  EXPECT_EQ(std::string(mark.data(), 3), "A01");
  EXPECT_EQ(b, 0);
  ASSERT_EQ(decode("12", Layout("(I1,(I1))"), {a, b, c}), ReadStatus::Ok);
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 2);
  EXPECT_EQ(c, 0);
}

TEST(Encode, IntegerIntoASixCharacterCell) {
  std::array<char, 6> cell{};
  encode_fields(cell, Layout("(I6)"), Value(2500));
  EXPECT_EQ(std::string(cell.data(), 6), "  2500");
  encode_fields(cell, Layout("(I3,/,I3)"), Value(-12345));
  EXPECT_EQ(std::string(cell.data(), 6), "***   ");
}

}  // namespace
}  // namespace barlist::records
