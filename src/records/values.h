// What a layout's data items take on output (Value) and fill on input
// (Target), and the compiler's check that a call site's arguments suit them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string_view>
#include <type_traits>

#include "records/layout.h"

namespace barlist::records {

// Text split into cells of `cell` characters, one per data item: a
// 16-character name written as 4A4, a card as 80A1. Made by Value::cells.
struct TextCells {
  std::string_view text;
  std::size_t cell;
};

// One output value: a text, an integer or a single-precision real. A run of
// text cells is one Value that feeds one cell to each data item in turn.
class Value {
 public:
  Value(std::string_view text) : text_(text), cell_(text.size()), kind_(ItemKind::Text) {}
  Value(const char* text) : Value(std::string_view(text)) {}
  template <std::size_t N>
  Value(const std::array<char, N>& text) : Value(std::string_view(text.data(), N)) {}
  Value(TextCells cells) : text_(cells.text), cell_(cells.cell == 0 ? 1 : cells.cell), kind_(ItemKind::Text) {}
  Value(int value) : integer_(value), kind_(ItemKind::Integer) {}
  Value(long value) : integer_(value), kind_(ItemKind::Integer) {}
  Value(long long value) : integer_(value), kind_(ItemKind::Integer) {}
  Value(float value) : real_(value), kind_(ItemKind::Real) {}
  Value(double) = delete;  // reals are single precision: convert on purpose

  static TextCells cells(std::string_view text, std::size_t cell) { return {text, cell}; }

  ItemKind kind() const { return kind_; }
  std::string_view text() const { return text_; }
  std::size_t cell() const { return cell_; }
  std::int64_t integer() const { return integer_; }
  float real() const { return real_; }

 private:
  std::string_view text_;  // empty for numbers
  std::size_t cell_ = 0;
  std::int64_t integer_ = 0;
  float real_ = 0;
  ItemKind kind_;
};

// One input target: a fixed text cell, an integer or a real.
class Target {
 public:
  template <std::size_t N>
  Target(std::array<char, N>& text) : where_(text.data()), length_(N), kind_(ItemKind::Text) {}
  Target(std::int32_t& value) : where_(&value), kind_(ItemKind::Integer) {}
  Target(float& value) : where_(&value), kind_(ItemKind::Real) {}

  ItemKind kind() const { return kind_; }
  char* text() const { return static_cast<char*>(where_); }
  std::size_t length() const { return length_; }
  std::int32_t* integer() const { return static_cast<std::int32_t*>(where_); }
  float* real() const { return static_cast<float*>(where_); }

 private:
  void* where_;
  std::size_t length_ = 0;
  ItemKind kind_;
};

// What a call site's argument is to a layout, known from its type: the kind
// of data item it goes to, and whether it is a run of text cells, which goes
// to one or more text items in a row.
struct Argument {
  ItemKind kind;
  bool cells = false;
};

template <typename T>
inline constexpr bool is_char_array = false;
template <std::size_t N>
inline constexpr bool is_char_array<std::array<char, N>> = true;

template <typename T>
constexpr Argument argument_of() {
  using U = std::remove_cvref_t<T>;
  if constexpr (std::is_same_v<U, TextCells>) return {ItemKind::Text, true};
  if constexpr (std::is_same_v<U, int> || std::is_same_v<U, long> || std::is_same_v<U, long long>) {
    return {ItemKind::Integer};
  }
  if constexpr (std::is_same_v<U, float>) return {ItemKind::Real};
  if constexpr (is_char_array<U> || std::is_convertible_v<const U&, std::string_view>) return {ItemKind::Text};
  return {ItemKind::Literal};  // no data item takes it: a Value, whose kind is known only at run time
}

// An argument that is one value of a kind known from its type: no run of
// cells, no Value.
template <typename T>
constexpr bool single_value() {
  const Argument argument = argument_of<T>();
  return argument.kind != ItemKind::Literal && !argument.cells;
}

// The text of a single text argument.
template <std::size_t N>
std::string_view text_of(const std::array<char, N>& text) {
  return {text.data(), N};
}
inline std::string_view text_of(std::string_view text) { return text; }

// True when arguments of these kinds, in order, go to data items of their
// kinds in `layout`. Fewer arguments than data items is fine (output and
// input stop there); more only where the layout starts again.
constexpr bool arguments_fit(const Layout& layout, std::span<const Argument> arguments) {
  // The data items in the order arguments meet them: the first pass, then
  // the pass after a restart, which comes round again from `again`.
  constexpr std::size_t kMaxFields = 1024;
  std::array<ItemKind, kMaxFields> kinds{};
  std::size_t count = 0;
  std::size_t again = 0;
  for (const std::span<const Item> pass : {layout.first_pass(), layout.pass_after_restart()}) {
    again = count;
    for (const Item& item : pass) {
      if (!is_field(item.kind)) continue;
      if (count + item.repeat > kMaxFields) throw std::invalid_argument("too many data items to check");
      for (int r = 0; r < item.repeat; ++r) kinds[count++] = item.kind;
    }
  }
  const auto following = [&](std::size_t at) { return at + 1 == count && count > again ? again : at + 1; };

  // starts[i]: the arguments so far can be placed so that the next one meets
  // data item i. A run of cells may take any number of text items in a row,
  // so there may be several such places.
  std::array<bool, kMaxFields + 1> starts{};
  starts[0] = true;
  for (const Argument& argument : arguments) {
    std::array<bool, kMaxFields + 1> next{};
    bool placed = false;
    for (std::size_t at = 0; at < count; ++at) {
      if (!starts[at] || kinds[at] != argument.kind) continue;
      std::size_t item = following(at);
      next[item] = placed = true;
      for (std::size_t n = 0; argument.cells && n < count && item < count && kinds[item] == ItemKind::Text; ++n) {
        item = following(item);
        next[item] = true;
      }
    }
    if (!placed) return false;
    starts = next;
  }
  return true;
}

template <const Layout& layout, typename... Arguments>
constexpr bool arguments_fit() {
  constexpr std::array<Argument, sizeof...(Arguments)> kArguments{argument_of<Arguments>()...};
  return arguments_fit(layout, kArguments);
}

}  // namespace barlist::records
