#include "reports/bar_table_file.h"

#include <gtest/gtest.h>

#include "channel_capture.h"

namespace barlist::reports {
namespace {

using testing::ChannelCapture;

using cards::CardKind;

// A card image from its columns: (first column, text) pairs on a blank card.
std::string card(std::initializer_list<std::pair<std::size_t, std::string>> fields) {
  std::string text(80, ' ');
  for (const auto& [column, value] : fields) text.replace(column - 1, value.size(), value);
  return text;
}

void list(BarTableFile& file, CardKind kind, const std::string& card, int length_mm = 0, int lines = 0) {
  file.card_listed({1, kind, card, length_mm, lines, 0});
}

TEST(BarTableFile, BarLineWithItsStoredLengthAndZeroFilling) {
  ChannelCapture out(records::LineDiscipline::Plain);
  BarTableFile file(out.channel());
  // 10 bars punched at the left of the count field; A punched as 1200 at the right;
  // B punched as 12 at the left; T1, N1 and ANGLE are never filled.
  list(file, CardKind::RecallBar,
       card({{1, "R13A01"}, {13, "10"}, {23, "1211"}, {29, "1200"}, {33, "12"}, {63, "5"}, {75, "2"}, {78, "45"}}),
       2500);
  const std::string expected = std::string(22, ' ') + "13A01  2500  1000  12  1  1   1200 120000" +
                               std::string(4 * 7, ' ') + " 5     " + std::string(7, ' ') + "  2    45 ";
  const std::string bytes = out.bytes();
  EXPECT_EQ(bytes, expected + "\r\n");
  EXPECT_EQ(bytes.size(), 115u + 2);
}

TEST(BarTableFile, VaryBarLinesShowEveryFieldAsPunched) {
  ChannelCapture out(records::LineDiscipline::Plain);
  BarTableFile file(out.channel());
  list(file, CardKind::VaryBar, card({{1, "V13C01"}, {7, "1234"}, {13, "12"}, {17, "001234"}, {27, "12"}}));
  EXPECT_EQ(out.bytes(),
            std::string(22, ' ') + "13C011234    12" + std::string(13, ' ') + "12" + std::string(63, ' ') + "\r\n");
}

TEST(BarTableFile, UnitCommentAndBlankLines) {
  ChannelCapture out(records::LineDiscipline::Plain);
  BarTableFile file(out.channel());
  const std::string unit = card({{1, "UFOOTING"}, {18, "04"}, {20, "0125"}, {24, "DESCRIPTION"}, {80, "Z"}});
  list(file, CardKind::Unit, unit);
  list(file, CardKind::Comment, card({{1, "C COMMENT"}}));
  for (const int lines : {0, 3, -1}) list(file, CardKind::LineSkip, card({{1, "K"}}), 0, lines);
  EXPECT_EQ(out.bytes(), "FOOTING          04" + std::string(29, ' ') + "DESCRIPTION" + std::string(45, ' ') + "Z\r\n" +
                             " COMMENT" + std::string(71, ' ') + "\r\n" + "\r\n\r\n\r\n\r\n");
}

}  // namespace
}  // namespace barlist::reports
