// The shortest text of a float, built on {fmt}: without an exponent it must
// equal what std::to_chars writes in fixed notation, whole floats from 2^24
// up with every digit of their value; read back, the double strtod makes of it.
#include "exports/float_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

namespace barlist::exports {
namespace {

std::string to_chars_text(float value) {
  char buffer[128];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  return {buffer, result.ptr};
}

TEST(ShortestText, WritesTheFewestDecimalsThatReadBack) {
  EXPECT_EQ(shortest_text(605.49f), "605.49");
  EXPECT_EQ(shortest_text(3.0f), "3");
  EXPECT_EQ(shortest_text(-0.5f), "-0.5");
  EXPECT_EQ(shortest_text(1000000.0f), "1000000");
  EXPECT_EQ(shortest_text(-0.0f), "-0");
  EXPECT_EQ(shortest_text(0.1f), "0.1");
  EXPECT_EQ(shortest_text(std::numeric_limits<float>::infinity()), "inf");
  EXPECT_EQ(shortest_text(-std::numeric_limits<float>::infinity()), "-inf");
  EXPECT_EQ(shortest_text(std::numeric_limits<float>::quiet_NaN()), "nan");
  EXPECT_DOUBLE_EQ(shortest_double(605.49f), 605.49);
}

TEST(ShortestText, AgreesWithToCharsAtTheExtremesAndOnRandomFloats) {
  for (const float value :
       {std::numeric_limits<float>::max(), std::numeric_limits<float>::lowest(), std::numeric_limits<float>::min(),
        std::numeric_limits<float>::denorm_min(), 1e20f, 16777217.0f, 0.3f, 2.5e-8f, 9.999999e-5f}) {
    EXPECT_EQ(shortest_text(value), to_chars_text(value)) << value;
  }
  std::mt19937 bits(20251208);
  for (int i = 0; i < 200000; ++i) {
    const float value = std::bit_cast<float>(static_cast<std::uint32_t>(bits()));
    if (value != value) continue;  // NaN payloads: to_chars may name them differently
    ASSERT_EQ(shortest_text(value), to_chars_text(value)) << std::bit_cast<std::uint32_t>(value);
    ASSERT_EQ(shortest_double(value), std::strtod(to_chars_text(value).c_str(), nullptr)) << value;
  }
  // Large floats a quarter apart: two decimals one digit short read back alike.
  for (int quarters = 0; quarters < 4000; ++quarters) {
    const float value = 2097152.0f + static_cast<float>(quarters) * 0.25f;
    ASSERT_EQ(shortest_text(value), to_chars_text(value)) << quarters;
  }
  // Quantities as decks give them: lengths, weights and prices of a few decimals.
  for (int hundredths = -200000; hundredths <= 200000; hundredths += 7) {
    const float value = static_cast<float>(hundredths) / 100.0f;
    ASSERT_EQ(shortest_text(value), to_chars_text(value)) << hundredths;
    ASSERT_EQ(shortest_double(value), std::strtod(to_chars_text(value).c_str(), nullptr)) << hundredths;
  }
}

}  // namespace
}  // namespace barlist::exports
