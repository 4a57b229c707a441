#include "exports/shortest_float.h"

#include <charconv>
#include <cmath>

namespace barlist::exports {

std::string shortest_text(float value) {
  // The longest fixed float is the smallest subnormal: "-0." and 45 digits.
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  return {buffer, result.ptr};
}

double shortest_double(float value) {
  if (!std::isfinite(value)) return static_cast<double>(value);
  const std::string text = shortest_text(value);
  double parsed = 0;
  std::from_chars(text.data(), text.data() + text.size(), parsed);
  return parsed;
}

}  // namespace barlist::exports
