// Checking, by the compiler, that the values a call site passes (or the
// targets it fills) suit a layout's data items. The kind of each argument is
// known from its type: an integer goes to an I field, a float to an F field, a
// text to an A field, and a run of cells (Value::cells, Target::cells) to one
// or more A fields in a row. Fewer arguments than data items is fine (output
// and input stop there); more are fine only where the layout starts again.
//
//   channel.write<kUnitLine>(Value::cells(name, 4), weight, units);
//   deck.decode<kRecallCard>(card, label.IBS, label.IBM, ANOB);
#pragma once

#include <array>
#include <concepts>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>

#include "records/layout.h"
#include "records/values.h"

namespace barlist::records {

enum class DataShape : std::uint8_t { Text, TextCells, Integer, Real, Unknown };

template <typename T>
inline constexpr bool is_char_array = false;
template <std::size_t N>
inline constexpr bool is_char_array<std::array<char, N>> = true;
template <typename T>
inline constexpr bool is_string_literal = false;
template <std::size_t N>
inline constexpr bool is_string_literal<char[N]> = true;

// The shape of an output value of type T.
template <typename T>
constexpr DataShape value_shape() {
  using U = std::remove_cvref_t<T>;
  if constexpr (std::same_as<U, int> || std::same_as<U, long> || std::same_as<U, long long>) return DataShape::Integer;
  if constexpr (std::same_as<U, float>) return DataShape::Real;
  if constexpr (std::same_as<U, TextCells>) return DataShape::TextCells;
  if constexpr (std::same_as<U, std::string_view> || std::same_as<U, std::string> || std::same_as<U, const char*> ||
                is_char_array<U> || is_string_literal<U>) {
    return DataShape::Text;
  }
  return DataShape::Unknown;  // a Value, whose kind is known only at run time, among others
}

// The shape of an input target of type T.
template <typename T>
constexpr DataShape target_shape() {
  using U = std::remove_cvref_t<T>;
  if constexpr (std::same_as<U, std::int32_t>) return DataShape::Integer;
  if constexpr (std::same_as<U, float>) return DataShape::Real;
  if constexpr (std::same_as<U, TargetCells>) return DataShape::TextCells;
  if constexpr (is_char_array<U>) return DataShape::Text;
  return DataShape::Unknown;
}

// The most data items (first pass and pass after a restart together) a
// layout may have for its call sites to be checked; the system's largest has 80.
inline constexpr std::size_t kMaxCheckedItems = 512;

// True when arguments of these shapes, in order, go to data items of their
// kinds in `layout`, passes after a restart included.
constexpr bool shapes_fit(const Layout& layout, std::span<const DataShape> shapes) {
  // The data items in the order arguments meet them: the first pass, then the
  // pass after a restart, over and over. Position `end` means none is left.
  std::array<ItemKind, kMaxCheckedItems> kinds{};
  std::size_t end = 0;
  const auto add_items = [&](std::span<const Step> pass) {
    for (const Step& step : pass) {
      if (!is_field(step.kind)) continue;
      if (end + step.repeat > kMaxCheckedItems) throw std::invalid_argument("too many data items to check");
      for (int r = 0; r < step.repeat; ++r) kinds[end++] = step.kind;
    }
  };
  add_items(layout.first_pass());
  const std::size_t again = end;
  add_items(layout.pass_after_restart());
  const auto next = [&](std::size_t at) { return at + 1 == end && end > again ? again : at + 1; };
  const auto takes = [](ItemKind kind, DataShape shape) {
    return (kind == ItemKind::Integer && shape == DataShape::Integer) ||
           (kind == ItemKind::Real && shape == DataShape::Real) || (kind == ItemKind::Text && shape == DataShape::Text);
  };

  // Where the next argument may start: a run of cells takes one or more text
  // items, so there may be several places.
  std::array<bool, kMaxCheckedItems + 1> reach{};
  reach[0] = true;
  for (const DataShape shape : shapes) {
    std::array<bool, kMaxCheckedItems + 1> after{};
    bool any = false;
    for (std::size_t at = 0; at < end; ++at) {
      if (!reach[at]) continue;
      if (shape == DataShape::TextCells) {
        std::size_t cell = at;
        for (std::size_t n = 0; n < end && cell != end && kinds[cell] == ItemKind::Text; ++n) {
          cell = next(cell);
          after[cell] = any = true;
        }
      } else if (takes(kinds[at], shape)) {
        after[next(at)] = any = true;
      }
    }
    if (!any) return false;
    reach = after;
  }
  return true;
}

template <const Layout& layout, typename... Values>
constexpr bool values_fit() {
  constexpr std::array<DataShape, sizeof...(Values)> shapes{value_shape<Values>()...};
  return shapes_fit(layout, shapes);
}

template <const Layout& layout, typename... Targets>
constexpr bool targets_fit() {
  constexpr std::array<DataShape, sizeof...(Targets)> shapes{target_shape<Targets>()...};
  return shapes_fit(layout, shapes);
}

}  // namespace barlist::records
