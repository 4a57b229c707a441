// What the page shows at the cursor: the field under a column, its columns,
// the value barlist reads there and the words for it.
#include "web/card_fields.h"

#include <gtest/gtest.h>

#include <string>

namespace barlist::web {
namespace {

std::string describe(const FieldAtColumn& at) {
  return at.card_kind + " | " + at.field.name + " " + std::to_string(at.field.first_column) + "-" +
         std::to_string(at.field.last_column) + " | " + at.value.value_or("(none)");
}

// Size 29, mark F03, no length, 4600 bars, type 10, hooks 1 and 2, A 1000, angle 45.
const std::string kBar =
    std::string(" 29F03") + "      " + "4600" + "      " + "10" + "1" + "2" + "  1000" + std::string(45, ' ') + " 45";

TEST(FieldAt, BarCardFieldsFollowTheBarCardColumns) {
  EXPECT_EQ(describe(field_at(kBar, 1)), "bar card | kind 1-1 |  ");
  EXPECT_EQ(describe(field_at(kBar, 2)), "bar card | size 2-3 | 29");
  EXPECT_EQ(describe(field_at(kBar, 5)), "bar card | mark 4-6 | F03");
  EXPECT_EQ(describe(field_at(kBar, 7)), "bar card | length in hundreds of mm 7-10 | 0");
  EXPECT_EQ(describe(field_at(kBar, 12)), "bar card | length in mm 11-12 | 0");
  EXPECT_EQ(describe(field_at(kBar, 14)), "bar card | count 13-16 | 4600");
  EXPECT_EQ(describe(field_at(kBar, 20)), "bar card |  17-22 | (none)");
  EXPECT_EQ(describe(field_at(kBar, 23)), "bar card | bar type 23-24 | 10");
  EXPECT_EQ(describe(field_at(kBar, 25)), "bar card | hook style at A 25-25 | 1");
  EXPECT_EQ(describe(field_at(kBar, 26)), "bar card | hook style at G 26-26 | 2");
  EXPECT_EQ(describe(field_at(kBar, 32)), "bar card | dimension A 27-32 | 1000");
  EXPECT_EQ(describe(field_at(kBar, 33)), "bar card | dimension B 33-38 | 0");
  EXPECT_EQ(describe(field_at(kBar, 63)), "bar card | length T1 63-68 | 0");
  EXPECT_EQ(describe(field_at(kBar, 75)), "bar card | count N1 75-77 | 0");
  EXPECT_EQ(describe(field_at(kBar, 80)), "bar card | angle 78-80 | 45");
  EXPECT_EQ(describe(field_at(kBar, 81)), "bar card |  81-81 | (none)");
  EXPECT_EQ(describe(field_at("S29F03", 3)), "store bar card | size 2-3 | 29");
}

TEST(FieldAt, EveryCardKindHasItsOwnFields) {
  EXPECT_EQ(describe(field_at("*B06P2010085PIER CAPS", 10)), "identification card | price 9-12 | 0.85");
  EXPECT_EQ(describe(field_at("*B06P2010085PIER CAPS", 3)), "identification card | program code 2-4 | B06");
  EXPECT_EQ(describe(field_at("UPIER CAP         2 150", 19)), "unit card | number of units 18-19 | 2");
  EXPECT_EQ(describe(field_at("UPIER CAP         2 150", 22)), "unit card | price 20-23 | 1.5");
  EXPECT_EQ(describe(field_at("UPIER CAP         2 150", 40)), "unit card | description 24-80 | (none)");
  EXPECT_EQ(describe(field_at("R16A01         3", 15)), "recall bar card | count 13-16 | 3");
  EXPECT_EQ(describe(field_at("V16A01         3  1500", 20)), "vary bar card | average length 17-22 | 1500");
  EXPECT_EQ(describe(field_at("W              2  12.5", 22)), "lump weight card | lump weight 17-22 | 12.5");
  EXPECT_EQ(describe(field_at("TPIERS", 2)).substr(0, 33), "subtotal card | subtotal name 2-1");
  EXPECT_EQ(describe(field_at("K 3", 3)), "line-skip card | lines to skip 2-3 | 3");
  EXPECT_EQ(describe(field_at("CA NOTE", 4)).substr(0, 28), "comment card | comment 2-80 ");
  EXPECT_EQ(describe(field_at("Z", 5)), "end card |  2-80 | (none)");
  EXPECT_EQ(describe(field_at("x12", 2)), "unknown card |  2-80 | (none)");
}

TEST(FieldAt, AFieldThatDoesNotConvertHasNoValue) {
  EXPECT_EQ(describe(field_at("UPIER CAP        X2", 19)), "unit card | number of units 18-19 | (none)");
  // A tab or a byte past ASCII is a character like any other.
  EXPECT_EQ(describe(field_at("\t29", 1)), "unknown card | kind 1-1 | \t");
}

// The words the page shows after the field: what the card reads there, or why
// it reads nothing.
TEST(FieldAt, SaysWhatIsRead) {
  const struct {
    std::string line;
    int column;
    const char *says, *reading;
  } cases[] = {
      {kBar, 14, "count, columns 13-16", "read as 4600"},
      {kBar, 20, "columns 17-22", "not read"},
      {kBar, 81, "column 81, past column 80", "not read"},
      {"UPIER CAP         2 150", 5, "unit name, columns 2-17", "read as \u201cPIER CAP        \u201d"},
      {"UPIER CAP         2 150ABUTMENT", 30, "description, columns 24-80",
       "not read; listed in the bar table as punched"},
      // One field that does not convert leaves the others read.
      {"UPIER CAP        X2 150", 19, "number of units, columns 18-19", "does not read as a number"},
      {"UPIER CAP        X2 150", 22, "price, columns 20-23", "read as 1.5"},
      {"V16A01004500   3  1500", 8, "length in hundreds of mm, columns 7-10",
       "not read; listed in the bar table as punched"},
      {"V16A01004500   3  1500", 24, "bar type, columns 23-24", "not read; listed in the bar table as punched"},
      {"R16A01004500   3", 9, "columns 7-12", "not read"},
  };
  for (const auto& c : cases) {
    const FieldAtColumn at = field_at(c.line, c.column);
    EXPECT_EQ(at.field.says, c.says) << c.line << " @" << c.column;
    EXPECT_EQ(at.reading, c.reading) << c.line << " @" << c.column;
  }
}

TEST(CardFields, ListEveryColumnOnceInOrder) {
  for (const char column1 : {'*', 'U', ' ', '0', 'S', 'R', 'V', 'W', 'T', 'C', 'K', 'Z', 'q'}) {
    int next = 1;
    for (const FieldSpan& span : card_fields(column1)) {
      EXPECT_EQ(span.first_column, next) << column1;
      EXPECT_GE(span.last_column, span.first_column) << column1;
      next = span.last_column + 1;
    }
    EXPECT_EQ(next, 81) << column1;
  }
  EXPECT_EQ(card_fields(' ').size(), 20u);  // kind, 18 fields and the unread columns 17-22
}

}  // namespace
}  // namespace barlist::web
