// The conversions that the expected files rely on.
#include <gtest/gtest.h>

#include "barlist_run.hpp"

namespace {

TEST(Harness, CarriageControlBecomesLineAndPageMovement) {
  EXPECT_EQ(e2e::asa_bytes("0AB\n CD\n1EF\n"), "\nAB\r\nCD\r\fEF\r\n");
  EXPECT_EQ(e2e::asa_bytes("0A\n0B\n\n"), "\nA\r\n\nB\r\n\r\n");
  EXPECT_EQ(e2e::asa_bytes(""), "");
  EXPECT_EQ(e2e::crlf_lines("A \n\nB\n"), "A \r\n\r\nB\r\n");
}

TEST(Harness, ClockIsMaskedInEveryHeader) {
  const std::string header = "\n07-DEC-26             VELMARA DEPARTMENT\r\n14:05:33 QUENDRAL DIVISION\r";
  std::vector<std::string> dates, times;
  EXPECT_EQ(e2e::mask_clock(header + header, &dates, &times),
            "\nDD-MMM-YY             VELMARA DEPARTMENT\r\nHH:MM:SS QUENDRAL DIVISION\r"
            "\nDD-MMM-YY             VELMARA DEPARTMENT\r\nHH:MM:SS QUENDRAL DIVISION\r");
  EXPECT_EQ(dates, (std::vector<std::string>{"07-DEC-26", "07-DEC-26"}));
  EXPECT_EQ(times, (std::vector<std::string>{"14:05:33", "14:05:33"}));
  EXPECT_TRUE(e2e::is_header_date("07-DEC-26"));
  EXPECT_FALSE(e2e::is_header_date("7-DEC-2026"));
  EXPECT_FALSE(e2e::is_header_date("07-Dec-26"));
  EXPECT_TRUE(e2e::is_header_time("23:59:59"));
  EXPECT_FALSE(e2e::is_header_time("24:00:00"));
}

}  // namespace
