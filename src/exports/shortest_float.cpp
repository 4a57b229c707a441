#include "exports/shortest_float.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace barlist::exports {

// The fewest decimals that read back to the same float, printed correctly
// rounded: the shortest fixed text, found with what every C library has.
std::string shortest_text(float value) {
  if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  // The widest text is the largest float's 39 digits, or "-0." and the 149
  // decimals that the smallest subnormal could need.
  char buffer[200];
  for (int decimals = 0;; ++decimals) {
    const int size = std::snprintf(buffer, sizeof buffer, "%.*f", decimals, static_cast<double>(value));
    if (std::strtof(buffer, nullptr) == value || decimals >= 149) return {buffer, static_cast<std::size_t>(size)};
  }
}

double shortest_double(float value) {
  if (!std::isfinite(value)) return static_cast<double>(value);
  return std::strtod(shortest_text(value).c_str(), nullptr);
}

}  // namespace barlist::exports
