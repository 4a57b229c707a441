#include "records/fields.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace barlist::records {
namespace {

// Each into a blank field, as a record's fields are.
std::string integer(int width, long long value) {
  std::string out(static_cast<std::size_t>(width), ' ');
  put_integer(out.data(), width, value);
  return out;
}

std::string real(int width, int decimals, float value) {
  std::string out(static_cast<std::size_t>(width), ' ');
  put_real(out.data(), width, decimals, value);
  return out;
}

std::string text(int width, std::string_view value) {
  std::string out(static_cast<std::size_t>(width), ' ');
  put_text(out.data(), width, value);
  return out;
}

TEST(OutputFields, IntegersRightJustifiedWithAsterisksWhenTooWide) {
  EXPECT_EQ(integer(9, 0), "        0");
  EXPECT_EQ(integer(9, 1000000000), "*********");
  EXPECT_EQ(integer(9, -5), "       -5");
  EXPECT_EQ(integer(2, -9), "-9");
  EXPECT_EQ(integer(2, -10), "**");
  EXPECT_EQ(integer(9, 2147483648LL), "*********");  // beyond 32 bits never prints
  EXPECT_EQ(integer(11, -2147483648LL), "-2147483648");
}

TEST(OutputFields, RealsRoundTheExactBinaryValueHalfToEven) {
  EXPECT_EQ(real(6, 2, 999.99f), "999.99");
  EXPECT_EQ(real(6, 2, 999.996f), "******");
  EXPECT_EQ(real(10, 2, 0.5f), "      0.50");
  EXPECT_EQ(real(10, 2, 1500000.125f), "1500000.12");
  EXPECT_EQ(real(10, 2, 1500000.375f), "1500000.38");
  EXPECT_EQ(real(6, 2, 1.25f), "  1.25");
  EXPECT_EQ(real(6, 2, 0.125f), "  0.12");
  EXPECT_EQ(real(6, 2, 0.375f), "  0.38");
  // As floats, 0.005 and 0.015 lie a little below their decimals, 0.025 a little above.
  EXPECT_EQ(real(6, 2, 0.005f), "  0.00");
  EXPECT_EQ(real(6, 2, 0.015f), "  0.01");
  EXPECT_EQ(real(6, 2, 0.025f), "  0.03");
  EXPECT_EQ(real(10, 2, 10000000.0f), "**********");
  EXPECT_EQ(real(10, 2, 9999999.0f), "9999999.00");
}

TEST(OutputFields, RealsAroundZeroAndNegative) {
  EXPECT_EQ(real(6, 2, -1.5f), " -1.50");
  EXPECT_EQ(real(5, 2, -0.5f), "-0.50");
  EXPECT_EQ(real(4, 2, -0.5f), "-.50");  // one column before the point: the sign, no zero
  EXPECT_EQ(real(3, 2, 0.5f), ".50");
  EXPECT_EQ(real(3, 2, -0.5f), "***");
  EXPECT_EQ(real(6, 2, -0.001f), "  0.00");  // rounds to zero: no sign
  EXPECT_EQ(real(6, 2, -0.0f), "  0.00");
  EXPECT_EQ(real(6, 2, -99.99f), "-99.99");
  EXPECT_EQ(real(6, 2, -100.0f), "******");
  EXPECT_EQ(real(6, 2, std::numeric_limits<float>::infinity()), "******");
  EXPECT_EQ(real(6, 2, std::numeric_limits<float>::quiet_NaN()), "******");
  EXPECT_EQ(real(4, 0, 12.0f), " 12.");
  EXPECT_EQ(real(2, 0, 0.0f), "0.");
  EXPECT_EQ(real(1, 0, 0.0f), ".");
  EXPECT_EQ(real(3, 5, 0.5f), "***");  // the decimals alone are wider than the field
}

TEST(OutputFields, TextStandsAtTheRightOrIsCut) {
  EXPECT_EQ(text(4, "X"), "   X");
  EXPECT_EQ(text(3, "A01B"), "A01");
  EXPECT_EQ(text(2, ""), "  ");
}

TEST(InputFields, IntegersIgnoreBlanks) {
  std::int32_t v = -1;
  EXPECT_EQ(read_integer(" 1 2", v), ReadStatus::Ok);
  EXPECT_EQ(v, 12);
  EXPECT_EQ(read_integer("    ", v), ReadStatus::Ok);
  EXPECT_EQ(v, 0);
  EXPECT_EQ(read_integer(" -3", v), ReadStatus::Ok);
  EXPECT_EQ(v, -3);
  EXPECT_EQ(read_integer("+7", v), ReadStatus::Ok);
  EXPECT_EQ(v, 7);
  EXPECT_EQ(read_integer("1-", v), ReadStatus::ConversionError);
  EXPECT_EQ(read_integer("1A", v), ReadStatus::ConversionError);
  EXPECT_EQ(read_integer("1\t", v), ReadStatus::ConversionError);
  EXPECT_EQ(read_integer("1.", v), ReadStatus::ConversionError);
  EXPECT_EQ(read_integer("2147483648", v), ReadStatus::Overflow);
  EXPECT_EQ(read_integer("-2147483648", v), ReadStatus::Ok);
  EXPECT_EQ(v, -2147483647 - 1);
}

TEST(InputFields, RealsWithImpliedOrWrittenDecimals) {
  float v = -1;
  EXPECT_EQ(read_real("12  ", 2, v), ReadStatus::Ok);
  EXPECT_EQ(v, 0.12f);
  EXPECT_EQ(read_real("1234", 2, v), ReadStatus::Ok);
  EXPECT_EQ(v, 12.34f);
  EXPECT_EQ(read_real("  1500", 0, v), ReadStatus::Ok);
  EXPECT_EQ(v, 1500.0f);
  EXPECT_EQ(read_real("0085", 2, v), ReadStatus::Ok);
  EXPECT_EQ(v, 0.85f);
  EXPECT_EQ(read_real(".85", 2, v), ReadStatus::Ok);  // a written point overrides the implied one
  EXPECT_EQ(v, 0.85f);
  EXPECT_EQ(read_real("7.5", 0, v), ReadStatus::Ok);
  EXPECT_EQ(v, 7.5f);
  EXPECT_EQ(read_real("1234.9", 0, v), ReadStatus::Ok);
  EXPECT_EQ(v, 1234.9f);
  EXPECT_EQ(read_real(" - 4 5", 0, v), ReadStatus::Ok);
  EXPECT_EQ(v, -45.0f);
  EXPECT_EQ(read_real("      ", 0, v), ReadStatus::Ok);
  EXPECT_EQ(v, 0.0f);
  EXPECT_EQ(read_real("123456789012", 0, v), ReadStatus::Ok);  // beyond 7 digits: still correctly rounded
  EXPECT_EQ(v, 123456789012.0f);
  EXPECT_EQ(read_real("16777217", 0, v), ReadStatus::Ok);  // 2^24 + 1 rounds to even
  EXPECT_EQ(v, 16777216.0f);
  EXPECT_EQ(read_real("1234567", 10, v), ReadStatus::Ok);
  EXPECT_EQ(v, 0.0001234567f);
  EXPECT_EQ(read_real(".00000000001", 0, v), ReadStatus::Ok);  // beyond 10 decimals
  EXPECT_EQ(v, 1e-11f);
  EXPECT_EQ(read_real("-.000000000000", 0, v), ReadStatus::Ok);
  EXPECT_EQ(v, 0.0f);
  EXPECT_EQ(read_real("1.2.", 0, v), ReadStatus::ConversionError);
  EXPECT_EQ(read_real("1E5", 0, v), ReadStatus::ConversionError);
  EXPECT_EQ(read_real("12-", 0, v), ReadStatus::ConversionError);
  // Right-justified digits, the usual field, as strtof rounds them, up to and past seven digits.
  for (const std::string digits : {"7", "0000001", "9999999", "1234567", "16777217", "99999999", "00123456"}) {
    for (int decimals = 0; decimals <= 11; ++decimals) {
      const float expected = std::strtof((digits + "e-" + std::to_string(decimals)).c_str(), nullptr);
      EXPECT_EQ(read_real("  " + digits, decimals, v), ReadStatus::Ok);
      EXPECT_EQ(v, expected) << digits << " with " << decimals << " decimals";
    }
  }
}

TEST(InputFields, TextKeepsTheRightmostColumnsOrPads) {
  char cell[4];
  get_text("ABCDEF", cell, 4);
  EXPECT_EQ(std::string(cell, 4), "CDEF");
  get_text("A", cell, 4);
  EXPECT_EQ(std::string(cell, 4), "A   ");
}

}  // namespace
}  // namespace barlist::records
