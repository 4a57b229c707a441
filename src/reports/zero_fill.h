// How the bar table prints a number punched at the left of its field: the
// detailer's digits with trailing zeros, every blank after the first
// non-blank becoming 0 ("12  " is listed as 1200).
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace barlist::reports {

template <std::size_t N>
std::array<char, N> zero_filled(std::string_view field) {
  std::array<char, N> out{};
  for (std::size_t i = 0; i < N; ++i) {
    out[i] = field[i];
    if (i > 0 && out[i] == ' ' && out[i - 1] != ' ') out[i] = '0';
  }
  return out;
}

}  // namespace barlist::reports
