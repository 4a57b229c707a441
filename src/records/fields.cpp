#include "records/fields.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace barlist::records {
namespace {

void stars(char* out, int width) { std::memset(out, '*', static_cast<std::size_t>(width)); }

// Writes the decimal digits of `magnitude` ending just before `end`; returns
// the number of digits.
int digits_before(char* end, std::uint64_t magnitude, int min_digits) {
  int n = 0;
  do {
    *--end = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
    ++n;
  } while (magnitude != 0 || n < min_digits);
  return n;
}

constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12};

}  // namespace

void put_text(char* out, int width, std::string_view value) {
  const auto w = static_cast<std::size_t>(width);
  if (w > value.size()) {
    const std::size_t pad = w - value.size();
    std::memset(out, ' ', pad);
    std::memcpy(out + pad, value.data(), value.size());
  } else {
    std::memcpy(out, value.data(), w);
  }
}

void put_integer(char* out, int width, std::int64_t value) {
  // An integer field holds a 32-bit value; anything beyond cannot print.
  if (value > std::numeric_limits<std::int32_t>::max() || value < std::numeric_limits<std::int32_t>::min()) {
    stars(out, width);
    return;
  }
  char digits[24];
  char* end = digits + sizeof digits;
  const bool negative = value < 0;
  const std::uint64_t magnitude = negative ? static_cast<std::uint64_t>(-value) : static_cast<std::uint64_t>(value);
  int n = digits_before(end, magnitude, 1);
  if (negative) {
    end[-n - 1] = '-';
    ++n;
  }
  if (n > width) {
    stars(out, width);
    return;
  }
  put_text(out, width, std::string_view(end - n, static_cast<std::size_t>(n)));
}

void put_real(char* out, int width, int decimals, float value) {
  if (!std::isfinite(value) || decimals < 0 || decimals > 12) {
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
  const auto whole = static_cast<std::uint64_t>(magnitude);
  const auto unit = static_cast<std::uint64_t>(kPowersOfTen[decimals]);
  const std::uint64_t integer_part = whole / unit;
  const std::uint64_t fraction = whole % unit;
  // A value that rounds to zero prints without a sign.
  const bool negative = value < 0 && whole != 0;

  char text[48];
  char* end = text + sizeof text;
  int n = 0;
  if (decimals > 0) n += digits_before(end, fraction, decimals);
  text[sizeof text - 1 - n] = '.';
  ++n;
  char* point = end - n;
  int integer_digits = 0;
  if (integer_part != 0) integer_digits = digits_before(point, integer_part, 1);
  n += integer_digits;
  const int sign = negative ? 1 : 0;
  if (integer_part == 0 && n + sign + 1 <= width) {  // a zero before the point when there is room
    end[-n - 1] = '0';
    ++n;
  }
  if (negative) {
    end[-n - 1] = '-';
    ++n;
  }
  if (n > width) {
    stars(out, width);
    return;
  }
  put_text(out, width, std::string_view(end - n, static_cast<std::size_t>(n)));
}

ReadStatus read_integer(std::string_view field, std::int32_t& value) {
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

ReadStatus read_real(std::string_view field, int decimals, float& value) {
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
    std::int64_t mantissa = 0;
    for (int i = 0; i < count && i < 18; ++i) mantissa = mantissa * 10 + (digits[i] - '0');
    if (count <= 7 && scale >= 0 && scale <= 10) {
      // Both operands are exact floats, so the quotient is correctly rounded.
      float power = 1;
      for (int i = 0; i < scale; ++i) power *= 10;
      result = static_cast<float>(mantissa) / power;
    } else {
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
  }
  value = negative ? -result : result;
  return ReadStatus::Ok;
}

void get_text(std::string_view field, char* cell, std::size_t length) {
  if (field.size() >= length) {
    std::memcpy(cell, field.data() + (field.size() - length), length);
  } else {
    std::memcpy(cell, field.data(), field.size());
    std::memset(cell + field.size(), ' ', length - field.size());
  }
}

}  // namespace barlist::records
