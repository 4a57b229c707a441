// How the bar table lists a number punched at the left of its field: the
// detailer's digits with trailing zeros, every blank after the first
// non-blank becoming 0 ("12  " is listed as 1200).
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace barlist::cards {

// The bar card fields the bar table lists zero-filled (on a bar, store bar or
// recall bar card; a vary bar card's are listed as punched).
inline constexpr std::string_view kZeroFilledFields[] = {"count",       "dimension A", "dimension B", "dimension C",
                                                         "dimension D", "dimension E", "dimension F"};

template <std::size_t N>
std::array<char, N> zero_filled(std::string_view field) {
  std::array<char, N> out{};
  for (std::size_t i = 0; i < N; ++i) {
    out[i] = field[i];
    if (i > 0 && out[i] == ' ' && out[i - 1] != ' ') out[i] = '0';
  }
  return out;
}

}  // namespace barlist::cards
