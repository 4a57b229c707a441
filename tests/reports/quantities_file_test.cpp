#include "reports/quantities_file.h"

#include <gtest/gtest.h>

#include "channel_capture.h"

namespace barlist::reports {
namespace {

using testing::ChannelCapture;

TEST(QuantitiesFile, ProblemHeaderAndColumnHeader) {
  ChannelCapture out(records::LineDiscipline::Asa);
  QuantitiesFile file(out.channel());
  file.problem_header("P001", std::string(68, 'T'), {2026, 12, 7, 14, 5, 33});
  EXPECT_EQ(out.bytes(),
            "\n07-DEC-26             VELMARA DEPARTMENT OF TRANSPORTATION         PROB. NO. P001\r\n"
            "14:05:33 QUENDRAL DIVISION - OFFICE OF SPANS AND DECK STRUCTURES REVIEW\r\n"
            "                 EXTENSION AND LISTING OF BAR REINFORCING STEEL\r\n"
            "                             REVISED:  JUNE 30, 2008\r\n"
            "\n" + std::string(68, 'T') + "\r\n"
            "\r\n"
            "Name of Unit       Lump Weight   Number   Total Weight   Cost/kg    Total Cost\r\n"
            "                   Ave. Length    Units\r\n");
}

TEST(QuantitiesFile, LinesOfAUnitAndTheTotals) {
  ChannelCapture out(records::LineDiscipline::Asa);
  QuantitiesFile file(out.channel());
  file.vary_bar_line(13, "A01", 1234.9f, 12.0f);
  file.lump_weight_line(12.5f, 3.0f);
  file.unit_line("FOOTING         ", {25.0f, 4.0f, 100.0f, 1.25f, 125.0f});
  file.subtotal_line("PIERS           ", 301.5f, 1500000.125f);
  file.grand_total_line(2e9f, -0.001f);
  file.premature_end();
  EXPECT_EQ(out.bytes(),
            "\nVARY BAR 13A01       1235 mm    x  12\r"
            "\n\nLUMP WEIGHT            13 kg    x   3\r"
            "\n\nFOOTING                25 kg    x   4  =      100 kg   at  1.25  = $    125.00\r"
            "\n\n             PIERS            SUBTOTAL =      301 kg               $1500000.12\r"
            "\n\n                           GRAND TOTAL =********* kg               $      0.00\r"
            "\nPREMATURE END OF FILE\r\n");
}

TEST(QuantitiesFile, ShownLengthsAndWeightsRoundByTheirConstants) {
  ChannelCapture out(records::LineDiscipline::Asa);
  QuantitiesFile file(out.channel());
  file.vary_bar_line(13, "A01", 1234.7f, 0.0f);  // + 0.2 truncated: 1234
  file.lump_weight_line(-3.7f, 1.0f);           // + 0.5 truncated toward zero: -3
  EXPECT_EQ(out.bytes(),
            "\nVARY BAR 13A01       1234 mm    x   0\r"
            "\n\nLUMP WEIGHT            -3 kg    x   1\r\n");
}

}  // namespace
}  // namespace barlist::reports
