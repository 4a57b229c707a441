#include "deck/cards.h"

#include <gtest/gtest.h>

#include <fcntl.h>

#include <set>
#include <type_traits>

#include "cards/descriptions.h"
#include "cards/used_columns.h"
#include "deck/conversion_place.h"
#include "records/fatal.h"

namespace barlist::deck {
namespace {

Card card(std::initializer_list<std::pair<std::size_t, std::string>> fields) {
  std::string text(80, ' ');
  for (const auto& [column, value] : fields) text.replace(column - 1, value.size(), value);
  return Card(text);
}

class Cards : public ::testing::Test {
 protected:
  records::InputChannel deck_{4, "/abs/deck.dat", records::FileDescriptor::own(open("/dev/null", O_RDONLY))};
};

TEST_F(Cards, TheColumnScreenCoversColumns2To75ButTheMark) {
  EXPECT_EQ(first_non_numeric_column(card({{1, "S13A.$002500"}, {76, "1.5-7"}})), 0);
  EXPECT_EQ(first_non_numeric_column(card({{1, " 1A"}})), 3);
  EXPECT_EQ(first_non_numeric_column(card({{7, "25.0"}, {40, "x"}})), 9);
  EXPECT_EQ(first_non_numeric_column(card({{75, "-"}})), 75);
  EXPECT_EQ(first_non_numeric_column(card({{40, "\t"}})), 40);
  EXPECT_EQ(first_non_numeric_column(Card("")), 0);
}

TEST_F(Cards, ABarCardDecodesEveryField) {
  const BarCard bar = decode_bar(
      deck_, card({{1, " 13A01012345  10123456 916   100   200   300   400   500"}, {57, "   600   700   800  2 45"}}));
  EXPECT_EQ(bar.label.IBS, 13);
  EXPECT_EQ(std::string(bar.label.IBM.data(), 3), "A01");
  EXPECT_EQ(100 * bar.shape.LFT + bar.shape.LIN, 12345.0f);
  EXPECT_EQ(bar.ANOB, 10.0f);
  EXPECT_EQ(bar.shape.ITYPE, 9);
  EXPECT_EQ(bar.shape.IA, 1);
  EXPECT_EQ(bar.shape.IG, 6);
  EXPECT_EQ(bar.shape.A, 100.0f);
  EXPECT_EQ(bar.shape.F, 600.0f);
  EXPECT_EQ(bar.shape.T2, 800.0f);
  EXPECT_EQ(bar.shape.N1, 2.0f);
  EXPECT_EQ(bar.shape.ANGLE, 45.0f);
}

TEST_F(Cards, NumbersPunchedAtTheLeftReadAsWritten) {
  // Blanks inside a numeric field are ignored, not read as zeros.
  const BarCard bar = decode_bar(deck_, card({{1, " 13A01"}, {13, "5"}, {27, "12"}, {78, "7.5"}}));
  EXPECT_EQ(bar.ANOB, 5.0f);
  EXPECT_EQ(bar.shape.A, 12.0f);
  EXPECT_EQ(bar.shape.ANGLE, 7.5f);
  const IdentificationCard id = decode_identification(deck_, card({{1, "*B06P0010085TITLE"}}));
  EXPECT_EQ(id.price, 0.85f);
  EXPECT_EQ(std::string(id.title.data(), 5), "TITLE");
}

TEST_F(Cards, AFieldThatDoesNotConvertStopsTheRunNamingTheDeck) {
  try {
    decode_unit(deck_, card({{1, "UPIER"}, {18, "AB"}}));
    FAIL();
  } catch (const records::FatalError& e) {
    EXPECT_STREQ(e.what(), "input conversion error, unit 4, file /abs/deck.dat");
  }
  EXPECT_THROW(decode_bar(deck_, card({{1, " 13A01"}, {78, "ABC"}})), records::FatalError);
  EXPECT_THROW(decode_line_skip_count(deck_, card({{1, "KX"}})), records::FatalError);
}

TEST_F(Cards, OtherKindsTakeOnlyTheirColumns) {
  const RecallCard recall = decode_recall(deck_, card({{1, "R16B01999999   3ANYTHING AT ALL"}}));
  EXPECT_EQ(recall.label.IBS, 16);
  EXPECT_EQ(recall.ANOB, 3.0f);
  const VaryBarCard vary = decode_vary_bar(deck_, card({{1, "V13C01      00121234.9"}}));
  EXPECT_EQ(vary.ANOB, 12.0f);
  EXPECT_EQ(vary.BARL, 1234.9f);
  const LumpWeightCard lump = decode_lump_weight(deck_, card({{1, "WXXXXXXXXXX    3  -2.5"}}));
  EXPECT_EQ(lump.ANOB, 3.0f);
  EXPECT_EQ(lump.lump_weight, -2.5f);
  EXPECT_EQ(decode_line_skip_count(deck_, card({{1, "K-1"}})), -1);
}

// A card that does not convert is placed at the field its decode reports and
// at the first column whose character stops that field's number.
TEST(ConversionPlace, TheFailingFieldAndTheColumnThatStopsIt) {
  struct Case {
    std::string text;
    int column;
    std::string message;
  } cases[] = {
      {" 1X", 3, "\"1X\" in the size (columns 2-3) is not a number"},
      {" 13A01      1.2.", 16, "\"1.2.\" in the count (columns 13-16) is not a number"},
      {" 13A01          12 10  1 1  12-4", 31, "\"12-4\" in the dimension A (columns 27-32) is not a number"},
      {"UWALL            1 2,5", 21, "\"2,5\" in the price (columns 20-23) is not a number"},
      {"W              1 12+4", 20, "\"12+4\" in the lump weight (columns 17-22) is not a number"},
      {"KA", 2, "\"A\" in the lines to skip (columns 2-3) is not a number"},
      {"C ANY TEXT", 0, ""},
  };
  for (const Case& c : cases) {
    const events::ConversionFailed failure = conversion_failure(Card(c.text), 7, c.text, "");
    EXPECT_EQ(failure.column, c.column) << c.text;
    EXPECT_EQ(failure.message, c.message) << c.text;
  }
}

}  // namespace
}  // namespace barlist::deck

namespace barlist::cards {
namespace {

// The columns the layouts give, as a detailer finds them on the card.
TEST(CardFields, EachFieldByNameAndByColumn) {
  EXPECT_EQ(kBarFields.size(), 18u);
  const CardField count = kBarFields.named("count");
  EXPECT_EQ(count.first, 13);
  EXPECT_EQ(count.last, 16);
  EXPECT_EQ(kBarFields.at_column(17), nullptr) << "columns 17 to 22 of a bar card are not read";
  EXPECT_EQ(kBarFields.at_column(22), nullptr);
  EXPECT_EQ(kBarFields.at_column(30)->name, "dimension A");
  EXPECT_EQ(kBarFields.at_column(33)->name, "dimension B");
  EXPECT_EQ(kBarFields.named("angle").last, kCardColumns);
  EXPECT_EQ(kUnitFields.named("number of units").first, 18);
  EXPECT_EQ(kLumpWeightFields.named("lump weight").first, 17);
  EXPECT_EQ(fields_of(cards::CardKind::StoreBar).named("hook style at G").first, 26);
  EXPECT_EQ(fields_of(cards::CardKind::Comment).size(), 0u);
  EXPECT_THROW(kRecallFields.named("bar type"), std::logic_error);
  // Fields follow one another without overlapping.
  for (const cards::CardKind kind :
       {cards::CardKind::Identification, cards::CardKind::Bar, cards::CardKind::VaryBar, cards::CardKind::LineSkip}) {
    int after = 1;
    for (const CardField& field : fields_of(kind)) {
      EXPECT_GT(field.first, after);
      EXPECT_GE(field.last, field.first);
      after = field.last;
    }
  }
}

// Every description's bindings suit its layout: a text field goes to a cell
// of its width, a number to a target of its kind; keys are unique.
TEST(CardFields, BindingsSuitTheLayouts) {
  for (const KindDescription& kind : kKinds) {
    with_description(
        kind.kind,
        [&](const auto& description) {
          typename std::remove_cvref_t<decltype(description)>::Card decoded;
          std::set<std::string_view> keys;
          for (std::size_t i = 0; i < description.field_list.size(); ++i) {
            const CardField& field = description.field_list[i];
            const records::Target target = description.targets[i](decoded);
            const records::ItemKind expected = !field.numeric  ? records::ItemKind::Text
                                               : field.integer ? records::ItemKind::Integer
                                                               : records::ItemKind::Real;
            EXPECT_EQ(target.kind(), expected) << kind.name << ": " << field.name;
            if (!field.numeric) {
              EXPECT_EQ(target.length(), static_cast<std::size_t>(field.width())) << field.name;
            }
            EXPECT_TRUE(keys.insert(field.key).second) << kind.name << ": " << field.key;
          }
          return true;
        },
        true);
  }
}

// The columns each kind puts to use, and the kind each column-1 letter is.
TEST(CardFields, UsedColumnsAndKindLetters) {
  const auto unused = [](CardKind kind) {
    std::string columns;
    for (int column = 1; column <= kCardColumns; ++column) {
      if (!used_columns_of(kind).test(column)) columns += std::to_string(column) + " ";
    }
    return columns;
  };
  EXPECT_EQ(unused(CardKind::Bar), "17 18 19 20 21 22 ");
  EXPECT_EQ(unused(CardKind::RecallBar), "7 8 9 10 11 12 17 18 19 20 21 22 ");
  // The bar table lists a vary bar card's length columns and bar card
  // fields, and a unit card's description, as punched.
  EXPECT_EQ(unused(CardKind::VaryBar), "");
  EXPECT_EQ(unused(CardKind::Unit), "");
  EXPECT_EQ(unused(CardKind::LumpWeight).substr(0, 5), "2 3 4");
  EXPECT_FALSE(used_columns_of(CardKind::LumpWeight).test(23));
  for (const KindDescription& kind : kKinds) {
    for (const char letter : kind.letters) EXPECT_EQ(kind_of(letter), kind.kind) << letter;
  }
  EXPECT_EQ(kind_of('s'), CardKind::Unknown);
  EXPECT_EQ(capital_kind('s'), CardKind::StoreBar);
  EXPECT_EQ(kind_letters(), "*, U, blank, 0, S, R, V, W, T, C, K or Z");
}

}  // namespace
}  // namespace barlist::cards
