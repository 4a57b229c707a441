#include "records/fields.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>

#include "records/layout.h"

namespace barlist::records {
namespace {

void stars(char* out, int width) { std::memset(out, '*', static_cast<std::size_t>(width)); }

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12};
static_assert(std::size(kPowersOfTen) == kMaxDecimals + 1);

// 10^k for k <= 10 is exact in single precision (5^10 is below 2^24).
constexpr float kFloatPowersOfTen[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f, 1e6f, 1e7f, 1e8f, 1e9f, 1e10f};

// The rest of read_real: a value with more than seven significant digits or a
// scale beyond 10^10, converted from its digits by strtof.
ReadStatus read_real_from_digits(std::string_view field, int decimals, float& value) {
  // Gather the significant digits and where the decimal point falls.
  char digits[96];
  int count = 0;
  int after_point = 0;
  int dropped = 0;
  bool negative = false;
  bool seen = false;
  bool point = false;
  for (const char c : field) {
    if (c == ' ') continue;
    if ((c == '+' || c == '-') && !seen) {
      negative = c == '-';
      seen = true;
      continue;
    }
    seen = true;
    if (c == '.') {
      if (point) return ReadStatus::ConversionError;
      point = true;
      continue;
    }
    if (c < '0' || c > '9') return ReadStatus::ConversionError;
    if (count == 0 && c == '0') {  // leading zeros carry nothing but their place
      if (point) ++after_point;
      continue;
    }
    if (count < static_cast<int>(sizeof digits) - 8) {
      digits[count++] = c;
      if (point) ++after_point;
    } else if (!point) {
      ++dropped;  // a digit past the buffer only scales the value
    }
  }
  const int scale = (point ? after_point : decimals) - dropped;  // value = digits * 10^-scale
  float result = 0;
  if (count > 0) {
    int n = count;
    digits[n++] = 'e';
    int exponent = -scale;
    if (exponent < 0) {
      digits[n++] = '-';
      exponent = -exponent;
    }
    char buffer[8];
    int m = 0;
    do {
      buffer[m++] = static_cast<char>('0' + exponent % 10);
      exponent /= 10;
    } while (exponent != 0);
    while (m > 0) digits[n++] = buffer[--m];
    digits[n] = '\0';
    result = std::strtof(digits, nullptr);
  }
  value = negative ? -result : result;
  return ReadStatus::Ok;
}

// Nearly every number on a card is blank or a whole number punched to the
// right: blanks, then digits up to the field's end. Such a field of at most
// `most_digits` digits is read here in one pass, straight into `whole`
// (0 for a blank field); any other is left to the full reading.
bool read_right_justified(std::string_view field, std::size_t most_digits, std::uint32_t& whole) {
  std::size_t at = 0;
  while (at < field.size() && field[at] == ' ') ++at;
  if (field.size() - at > most_digits) return false;
  std::uint32_t digits = 0;
  for (; at < field.size(); ++at) {
    const auto digit = static_cast<unsigned>(field[at] - '0');
    if (digit > 9) return false;
    digits = digits * 10 + digit;
  }
  whole = digits;
  return true;
}

}  // namespace

// The digits are written from the right end of the field leftwards.
void put_integer(char* out, int width, std::int64_t value) {
  // An integer field holds a 32-bit value; anything beyond cannot print.
  if (value > std::numeric_limits<std::int32_t>::max() || value < std::numeric_limits<std::int32_t>::min()) {
    stars(out, width);
    return;
  }
  const bool negative = value < 0;
  auto magnitude = static_cast<std::uint32_t>(negative ? -value : value);
  char* at = out + width;
  do {
    if (at == out) return stars(out, width);
    *--at = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (negative) {
    if (at == out) return stars(out, width);
    *--at = '-';
  }
}

void put_real(char* out, int width, int decimals, float value) {
  if (!std::isfinite(value) || decimals < 0 || decimals > kMaxDecimals) {
    stars(out, width);
    return;
  }
  // A float has 24 significant bits and 10^d at most 28 more for d <= 12, so
  // the scaled value is exact in double and nearbyint rounds the exact binary
  // value to nearest, ties to even.
  const double scaled = std::nearbyint(static_cast<double>(value) * kPowersOfTen[decimals]);
  const double magnitude = std::fabs(scaled);
  if (magnitude >= 1e18) {  // wider than any field the layouts use
    stars(out, width);
    return;
  }
  auto digits = static_cast<std::uint64_t>(magnitude);
  // A value that rounds to zero prints without a sign.
  const bool negative = value < 0 && digits != 0;

  // From the right: the decimals, the point, the whole part without leading zeros.
  char* at = out + width;
  for (int d = 0; d < decimals; ++d) {
    if (at == out) return stars(out, width);
    *--at = static_cast<char>('0' + digits % 10);
    digits /= 10;
  }
  if (at == out) return stars(out, width);
  *--at = '.';
  const bool whole_part_is_zero = digits == 0;
  while (digits != 0) {
    if (at == out) return stars(out, width);
    *--at = static_cast<char>('0' + digits % 10);
    digits /= 10;
  }
  const int sign = negative ? 1 : 0;
  if (whole_part_is_zero && at - out >= sign + 1) *--at = '0';  // a zero before the point when there is room
  if (negative) {
    if (at == out) return stars(out, width);
    *--at = '-';
  }
}

namespace {

// The rest of read_integer: blanks anywhere, a sign. Out of line, so that
// the usual field's reading needs no stack of its own.
[[gnu::noinline]] ReadStatus read_integer_in_full(std::string_view field, std::int32_t& value) {
  std::int64_t magnitude = 0;
  bool negative = false;
  bool seen = false;  // a sign or a digit
  bool overflow = false;
  for (const char c : field) {
    if (c == ' ') continue;
    if ((c == '+' || c == '-') && !seen) {
      negative = c == '-';
      seen = true;
      continue;
    }
    if (c < '0' || c > '9') return ReadStatus::ConversionError;
    seen = true;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > std::int64_t{1} << 31) {
      overflow = true;
      magnitude = std::int64_t{1} << 31;
    }
  }
  const std::int64_t result = negative ? -magnitude : magnitude;
  if (overflow || result > std::numeric_limits<std::int32_t>::max() ||
      result < std::numeric_limits<std::int32_t>::min()) {
    return ReadStatus::Overflow;
  }
  value = static_cast<std::int32_t>(result);
  return ReadStatus::Ok;
}

// The rest of read_real: blanks anywhere, a sign, a written point.
[[gnu::noinline]] ReadStatus read_real_in_full(std::string_view field, int decimals, float& value) {
  // One pass: the field's sign, its first significant digits and where the
  // decimal point falls; more than seven digits or a scale past 10^10 go on
  // to strtof.
  std::uint32_t mantissa = 0;
  int count = 0;        // significant digits
  int after_point = 0;  // digits after a written point, leading zeros included
  bool negative = false;
  bool seen = false;  // a sign, a digit or a point
  bool point = false;
  for (const char c : field) {
    const auto digit = static_cast<unsigned>(c - '0');
    if (digit <= 9) {
      seen = true;
      if (point) ++after_point;
      if (count == 0 && digit == 0) continue;  // leading zeros carry nothing but their place
      if (count < 8) mantissa = mantissa * 10 + digit;
      ++count;
      continue;
    }
    if (c == ' ') continue;
    if ((c == '+' || c == '-') && !seen) {
      negative = c == '-';
      seen = true;
      continue;
    }
    if (c != '.' || point) return ReadStatus::ConversionError;
    seen = true;
    point = true;
  }
  const int scale = point ? after_point : decimals;  // value = mantissa * 10^-scale
  if (count > 7 || scale < 0 || scale > 10) return read_real_from_digits(field, decimals, value);
  // Both operands are exact floats, so the quotient is correctly rounded.
  const float result =
      scale == 0 ? static_cast<float>(mantissa) : static_cast<float>(mantissa) / kFloatPowersOfTen[scale];
  value = negative ? -result : result;
  return ReadStatus::Ok;
}

}  // namespace

ReadStatus read_integer(std::string_view field, std::int32_t& value) {
  if (std::uint32_t whole = 0; read_right_justified(field, 9, whole)) {  // 9 digits fit a 32-bit integer
    value = static_cast<std::int32_t>(whole);
    return ReadStatus::Ok;
  }
  return read_integer_in_full(field, value);
}

ReadStatus read_real(std::string_view field, int decimals, float& value) {
  // Seven digits are exact in a float, as 10^decimals is up to 10^10: the
  // quotient is correctly rounded, as in the full reading.
  if (std::uint32_t whole = 0; decimals >= 0 && decimals <= 10 && read_right_justified(field, 7, whole)) {
    value = decimals == 0 ? static_cast<float>(whole) : static_cast<float>(whole) / kFloatPowersOfTen[decimals];
    return ReadStatus::Ok;
  }
  return read_real_in_full(field, decimals, value);
}

}  // namespace barlist::records
