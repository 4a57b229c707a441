// The shape of a number in its field, as the slip checks tell it: blank,
// right-justified with no blank inside (as a neatly punched deck holds every
// number), punched at the left, or with a blank inside.
#pragma once

#include <bit>
#include <string>
#include <string_view>

#include "cards/card_fields.h"

namespace barlist::deck {

enum class NumberShape { Blank, Neat, AtLeft, BlankInside };

// The non-blank columns of `width` columns (at most 31, as every number
// field is) from `start` as bits, bit 0 the first.
inline unsigned nonblank_bits(std::string_view card, std::size_t start, std::size_t width) {
  unsigned bits = 0;
  for (std::size_t i = 0; i < width; ++i) bits |= card[start + i] != ' ' ? 1u << i : 0u;
  return bits;
}

// Blank, or one run of characters that ends at the last column: as nearly
// every number is punched.
inline bool blank_or_neat(std::string_view card, int first, int last) {
  const auto width = static_cast<unsigned>(last - first + 1);
  const unsigned bits = nonblank_bits(card, static_cast<std::size_t>(first - 1), width);
  return bits == 0 || bits + (bits & (~bits + 1)) == 1u << width;
}

// The shape of the number in columns first to last; `at` is set to the
// offset of its first non-blank column.
inline NumberShape number_shape(std::string_view card, int first, int last, int* at = nullptr) {
  const auto width = static_cast<unsigned>(last - first + 1);
  const unsigned bits = nonblank_bits(card, static_cast<std::size_t>(first - 1), width);
  if (bits == 0) return NumberShape::Blank;
  const int lead = std::countr_zero(bits);
  if (at != nullptr) *at = lead;
  // One run of characters that ends at the last column.
  if (bits + (bits & (~bits + 1)) == 1u << width) return NumberShape::Neat;
  const unsigned run = bits >> lead;
  return (run & (run + 1)) != 0 ? NumberShape::BlankInside : NumberShape::AtLeft;
}

inline NumberShape number_shape(std::string_view card, const cards::CardField& field, int* at = nullptr) {
  return number_shape(card, field.first, field.last, at);
}

inline std::string without_blanks(std::string_view text) {
  std::string kept;
  for (const char c : text) {
    if (c != ' ') kept += c;
  }
  return kept;
}

// The value a field's digits read as, said as a number: its implied
// decimals put in ("125" in a field of two decimals reads as 1.25).
inline std::string value_read(std::string_view digits, const cards::CardField& field) {
  std::string value(digits);
  const auto decimals = static_cast<std::size_t>(field.decimals);
  if (decimals == 0 || value.find('.') != std::string::npos) return value;
  const bool sign = !value.empty() && (value[0] == '-' || value[0] == '+');
  std::string whole = value.substr(sign ? 1 : 0);
  if (whole.size() <= decimals) whole.insert(0, decimals + 1 - whole.size(), '0');
  whole.insert(whole.size() - decimals, ".");
  return (sign ? value.substr(0, 1) : "") + whole;
}

}  // namespace barlist::deck
