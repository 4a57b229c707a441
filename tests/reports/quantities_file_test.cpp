#include "reports/quantities_file.h"

#include <gtest/gtest.h>

#include "channel_capture.h"
#include "reports/error_lines.h"

namespace barlist::reports {
namespace {

using cards::CardKind;
using testing::ChannelCapture;

Clock fixed_clock() {
  return [] { return LocalTime{2026, 12, 7, 14, 5, 33}; };
}

events::ItemWeighed lump(float lump_weight, float ANOB) {
  return {1, CardKind::LumpWeight, "", 0, "", ANOB, 0, lump_weight, lump_weight * ANOB, nullptr, 1, 0};
}

// Every shape of error line the table builds.
using events::DeckError;
constexpr bool prints_as(DeckError error, std::string_view notation) {
  const auto built = detail::notation_of(events::entry(error));
  return built.view() == notation;
}
static_assert(prints_as(DeckError::PrematureEnd, "(' PREMATURE END OF FILE')"));
static_assert(prints_as(DeckError::NoIdentificationCard, "('1','ERROR 1, NO IDENTIFICATION CARD')"));
static_assert(prints_as(DeckError::NoUnitCard, "('0','ERROR 2, NO UNIT CARD, PROBLEM ',A4)"));
static_assert(prints_as(DeckError::LumpWeightNotGiven, "('0','ERROR 15, LUMP WEIGHT NOT GIVEN, PROBLEM ',A4,1X,4A4)"));
static_assert(prints_as(DeckError::CountBelowTwo,
                        "('0','ERROR 12, N 1S LESS THAN 2, PROBLEM ',A4,1X,4A4,' BAR',I3,A3)"));
static_assert(prints_as(DeckError::TooManyBars, "('0','ERROR 19, TOO MANY BARS; BREAK INTO TWO RUNS.')"));

TEST(QuantitiesFile, ProblemHeaderAndColumnHeader) {
  ChannelCapture out(records::LineDiscipline::Asa);
  QuantitiesFile file(out.channel(), fixed_clock());
  const std::string title(68, 'T');
  file.problem_opened({1, 1, "P001", title, 1.0f});
  EXPECT_EQ(out.bytes(),
            "\n07-DEC-26             VELMARA DEPARTMENT OF TRANSPORTATION         PROB. NO. P001\r\n"
            "14:05:33 QUENDRAL DIVISION - OFFICE OF SPANS AND DECK STRUCTURES REVIEW\r\n"
            "                 EXTENSION AND LISTING OF BAR REINFORCING STEEL\r\n"
            "                             REVISED:  JUNE 30, 2008\r\n"
            "\n" +
                std::string(68, 'T') +
                "\r\n"
                "\r\n"
                "Name of Unit       Lump Weight   Number   Total Weight   Cost/kg    Total Cost\r\n"
                "                   Ave. Length    Units\r\n");
}

TEST(QuantitiesFile, LinesOfAUnitTheTotalsAndTheErrors) {
  ChannelCapture out(records::LineDiscipline::Asa);
  QuantitiesFile file(out.channel(), fixed_clock());
  file.vary_bar_read({1, 13, "A01", 1234.9f, 12.0f});
  file.item_weighed(lump(12.5f, 3.0f));
  file.item_weighed(
      {2, CardKind::Bar, "FOOTING         ", 13, "A01", 1, 1000, 0, 1, nullptr, 1, 1});  // no line of its own
  file.unit_closed({3, 1, "FOOTING         ", {25.0f, 4.0f, 100.0f, 1.25f, 125.0f}});
  file.subtotal_written({4, "PIERS           ", 301.5f, 1500000.125f});
  file.problem_ended({5, 2e9f, -0.001f});
  const std::string card = " 29F03        20      1044  9600" + std::string(48, ' ');
  file.deck_error({events::DeckError::IllegalHookStyle, 6, 25, 1, "A102", "FOOTING         ", 29, "F03", card, card});
  file.deck_error({events::DeckError::NoUnitCard, 7, 1, 1, "A102", "FOOTING         ", 29, "F03", card, card});
  file.deck_error({events::DeckError::TooManyBars, 8, 1, 1, "A102", "FOOTING         ", 29, "F03", card, card});
  file.deck_error({events::DeckError::PrematureEnd, 8, 0, 1, "A102", "FOOTING         ", 29, "F03", "", ""});
  EXPECT_EQ(out.bytes(),
            "\nVARY BAR 13A01       1235 mm    x  12\r"
            "\n\nLUMP WEIGHT            13 kg    x   3\r"
            "\n\nFOOTING                25 kg    x   4  =      100 kg   at  1.25  = $    125.00\r"
            "\n\n             PIERS            SUBTOTAL =      301 kg               $1500000.12\r"
            "\n\n                           GRAND TOTAL =********* kg               $      0.00\r"
            "\n\nERROR 9, ILLEGAL HOOK STYLE, PROBLEM A102 FOOTING          BAR 29F03\r"
            "\n" +
                card +
                "\r"
                "\n\nERROR 2, NO UNIT CARD, PROBLEM A102\r"
                "\n" +
                card +
                "\r"
                "\nPREMATURE END OF FILE\r\n");
}

TEST(QuantitiesFile, ShownLengthsAndWeightsRoundByTheirConstants) {
  ChannelCapture out(records::LineDiscipline::Asa);
  QuantitiesFile file(out.channel(), fixed_clock());
  file.vary_bar_read({1, 13, "A01", 1234.7f, 0.0f});  // + 0.2 truncated: 1234
  file.item_weighed(lump(-3.7f, 1.0f));               // + 0.5 truncated toward zero: -3
  EXPECT_EQ(out.bytes(),
            "\nVARY BAR 13A01       1234 mm    x   0\r"
            "\n\nLUMP WEIGHT            -3 kg    x   1\r\n");
}

}  // namespace
}  // namespace barlist::reports
