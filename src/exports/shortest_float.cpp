#include "exports/shortest_float.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace barlist::exports {
namespace {

__extension__ typedef unsigned __int128 Wide;

// The fewest decimals that read back to the same float, printed correctly
// rounded (half to even): snprintf and strtof, which every C library has.
std::string shortest_by_search(float value) {
  // The widest text is the largest float's 39 digits, or "-0." and the 149
  // decimals that the smallest subnormal could need.
  char buffer[200];
  for (int decimals = 0;; ++decimals) {
    const int size = std::snprintf(buffer, sizeof buffer, "%.*f", decimals, static_cast<double>(value));
    if (std::strtof(buffer, nullptr) == value || decimals >= 149) return {buffer, static_cast<std::size_t>(size)};
  }
}

// The same text by exact integer arithmetic, for floats whose binary point
// lies within 90 places: a float is m / 2^k, and a decimal n / 10^p reads
// back to it when it lies within half a unit of m on either side (the
// halfway points themselves when m is even, as reading rounds half to even).
// Where the C library keeps long double in software (WebAssembly) this is
// many times faster than printing and reading back. Empty when out of range.
std::string shortest_exact(float value) {
  std::uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);  // std::bit_cast is not in every library yet
  const bool negative = (bits >> 31) != 0;
  const int exponent = static_cast<int>((bits >> 23) & 0xff);
  std::uint64_t m = bits & 0x7fffff;
  int k = 0;  // value = m / 2^k
  if (exponent == 0) {
    k = 149;
  } else {
    m |= 0x800000;
    k = 150 - exponent;
  }
  if (m == 0) return negative ? "-0" : "0";
  if (k > 90 || k < -39) return {};
  std::string digits;
  int decimals = 0;
  if (k <= 0) {
    Wide n = static_cast<Wide>(m) << -k;
    do {
      digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(n % 10)));
      n /= 10;
    } while (n != 0);
  } else {
    // The neighbouring floats' halfway points, in units of 1 / 2^(k+2).
    const bool power_of_two = m == 0x800000 && exponent > 1;
    const Wide high = 4 * static_cast<Wide>(m) + 2;
    const Wide low = power_of_two ? 4 * static_cast<Wide>(m) - 1 : 4 * static_cast<Wide>(m) - 2;
    const bool halfway_reads_back = m % 2 == 0;
    Wide ten_to_p = 1;
    Wide n = 0;
    for (;; ++decimals) {
      if (decimals > 25) return {};
      const Wide scaled = static_cast<Wide>(m) * ten_to_p;  // value * 10^p * 2^k
      n = scaled >> k;
      const Wide rest = scaled - (n << k);
      const Wide half = static_cast<Wide>(1) << (k - 1);
      if (rest > half || (rest == half && n % 2 == 1)) ++n;
      const Wide at = (n << (k + 2));  // n / 10^p in units of 1 / 2^(k+2), times 10^p
      const Wide upper = high * ten_to_p;
      const Wide lower = low * ten_to_p;
      const bool inside = halfway_reads_back ? (at >= lower && at <= upper) : (at > lower && at < upper);
      if (inside) break;
      ten_to_p *= 10;
    }
    do {
      digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(n % 10)));
      n /= 10;
    } while (n != 0);
    if (decimals > 0) {
      if (static_cast<int>(digits.size()) <= decimals) digits.insert(0, decimals + 1 - digits.size(), '0');
      digits.insert(digits.size() - decimals, 1, '.');
    }
  }
  return negative ? "-" + digits : digits;
}

}  // namespace

std::string shortest_text(float value) {
  if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  std::string text = shortest_exact(value);
  return text.empty() ? shortest_by_search(value) : text;
}

double shortest_double(float value) {
  if (!std::isfinite(value)) return static_cast<double>(value);
  return std::strtod(shortest_text(value).c_str(), nullptr);
}

}  // namespace barlist::exports
