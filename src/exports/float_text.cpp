#include "exports/float_text.h"

#include <fmt/compile.h>
#include <fmt/format.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace barlist::exports {
namespace {

constexpr float kWholeFrom = 16777216.0f;  // 2^24: every float from here up is whole

// fmt's shortest text ("605.49", "-0.5", "1e+20", "2.5e-08") split into its
// digits and the place of its decimal point.
Digits digits_of(std::string_view text) {
  Digits result;
  std::size_t at = 0;
  if (at < text.size() && text[at] == '-') {
    result.negative = true;
    ++at;
  }
  int point = -1;  // digits before the decimal point, once it is seen
  std::string digits;
  for (; at < text.size() && text[at] != 'e'; ++at) {
    if (text[at] == '.') {
      point = static_cast<int>(digits.size());
    } else {
      digits += text[at];
    }
  }
  if (point < 0) point = static_cast<int>(digits.size());
  if (at < text.size()) point += std::atoi(std::string(text.substr(at + 1)).c_str());
  const std::size_t first = digits.find_first_not_of('0');
  if (first == std::string::npos) return {result.negative, {}, 0};
  const std::size_t last = digits.find_last_not_of('0');
  result.digits = digits.substr(first, last - first + 1);
  result.point = point - static_cast<int>(first);
  return result;
}

}  // namespace

// A whole float below 2^24, as nearly every count, length and dimension is.
bool small_whole(float value) { return std::fabs(value) < kWholeFrom && std::trunc(value) == value; }

Digits shortest_digits(float value) {
  if (small_whole(value)) {
    Digits whole = digits_of(fmt::format_int(static_cast<long>(value)).str());
    whole.negative = std::signbit(value);
    return whole;
  }
  if (std::fabs(value) < kWholeFrom) return digits_of(fmt::format("{}", value));
  return digits_of(fmt::format("{}", static_cast<double>(value)));
}

std::string shortest_text(float value) {
  if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  if (small_whole(value)) {
    std::string text = fmt::format_int(static_cast<long>(value)).str();
    return value == 0 && std::signbit(value) ? "-" + text : text;
  }
  if (std::fabs(value) >= kWholeFrom) return fmt::format("{:.0f}", value);
  std::string shortest = fmt::format("{}", value);
  if (shortest.find('e') == std::string::npos) return shortest;  // already without an exponent
  const Digits d = digits_of(shortest);
  std::string text = d.negative ? "-" : "";
  if (d.point <= 0) return text + "0." + std::string(static_cast<std::size_t>(-d.point), '0') + d.digits;
  const auto point = static_cast<std::size_t>(d.point);
  if (point >= d.digits.size()) return text + d.digits + std::string(point - d.digits.size(), '0');
  return text + d.digits.substr(0, point) + '.' + d.digits.substr(point);
}

// Read back without strtod, which is slow where long double is emulated (in
// WebAssembly, and the page asks this of every hint): the shortest digits
// as a whole number and an exact power of ten make the double in one
// correctly rounded multiplication or division, as strtod rounds it.
double shortest_double(float value) {
  if (!std::isfinite(value) || !(std::fabs(value) < kWholeFrom) || std::trunc(value) == value) {
    return static_cast<double>(value);  // its own shortest value
  }
  constexpr std::array<double, 23> kExactPowers{1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                                1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  std::array<char, 32> text{};
  const char* end = fmt::format_to_n(text.data(), text.size() - 1, FMT_COMPILE("{}"), value).out;
  const char* at = text.data() + (value < 0 ? 1 : 0);
  std::uint64_t digits = 0;  // at most 9 significant, so exact in a double
  int exponent = 0;
  bool after_point = false;
  for (; at != end && *at != 'e'; ++at) {
    if (*at == '.') {
      after_point = true;
      continue;
    }
    digits = digits * 10 + static_cast<std::uint64_t>(*at - '0');
    if (after_point) --exponent;
  }
  if (at != end) exponent += std::atoi(at + 1);
  if (exponent < -22 || exponent > 22) return std::strtod(shortest_text(value).c_str(), nullptr);
  const double power = kExactPowers[static_cast<std::size_t>(std::abs(exponent))];
  const double magnitude = exponent < 0 ? static_cast<double>(digits) / power : static_cast<double>(digits) * power;
  return value < 0 ? -magnitude : magnitude;
}

}  // namespace barlist::exports
