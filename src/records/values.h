// What a layout's data items take on output (Value) and fill on input (Target).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

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
  enum class Kind : std::uint8_t { Text, Integer, Real };

  Value(std::string_view text) : text_(text), cell_(text.size()), kind_(Kind::Text) {}
  Value(const char* text) : Value(std::string_view(text)) {}
  template <std::size_t N>
  Value(const std::array<char, N>& text) : Value(std::string_view(text.data(), N)) {}
  Value(TextCells cells) : text_(cells.text), cell_(cells.cell == 0 ? 1 : cells.cell), kind_(Kind::Text) {}
  Value(int value) : number_{.integer = value}, kind_(Kind::Integer) {}
  Value(long value) : number_{.integer = value}, kind_(Kind::Integer) {}
  Value(long long value) : number_{.integer = value}, kind_(Kind::Integer) {}
  Value(float value) : number_{.real = value}, kind_(Kind::Real) {}
  Value(double) = delete;  // reals are single precision: convert on purpose

  static TextCells cells(std::string_view text, std::size_t cell) { return {text, cell}; }

  Kind kind() const { return kind_; }
  std::string_view text() const { return text_; }
  std::size_t cell() const { return cell_; }
  std::size_t cell_count() const {
    return kind_ == Kind::Text && cell_ < text_.size() ? (text_.size() + cell_ - 1) / cell_ : 1;
  }
  std::int64_t integer() const { return kind_ == Kind::Integer ? number_.integer : 0; }
  float real() const { return kind_ == Kind::Real ? number_.real : 0; }

 private:
  std::string_view text_;  // empty for numbers
  std::size_t cell_ = 0;
  union {
    std::int64_t integer;
    float real;
  } number_{};
  Kind kind_;
};

// The text of a value given as text.
inline std::string_view text_of(std::string_view text) { return text; }
template <std::size_t N>
std::string_view text_of(const std::array<char, N>& text) {
  return {text.data(), N};
}

// A run of text cells to fill, `cell` characters each, one per data item.
// Made by Target::cells.
struct TargetCells {
  char* text;
  std::size_t length;
  std::size_t cell;
};

// One input target: a fixed text cell (or a run of cells), an integer or a real.
class Target {
 public:
  enum class Kind : std::uint8_t { Text, Integer, Real };

  Target(char* text, std::size_t length, std::size_t cell)
      : where_(text), length_(length), cell_(cell == 0 ? 1 : cell), kind_(Kind::Text) {}
  template <std::size_t N>
  Target(std::array<char, N>& text) : Target(text.data(), N, N) {}
  Target(TargetCells cells) : Target(cells.text, cells.length, cells.cell) {}
  Target(std::int32_t& value) : where_(&value), kind_(Kind::Integer) {}
  Target(float& value) : where_(&value), kind_(Kind::Real) {}

  template <std::size_t N>
  static TargetCells cells(std::array<char, N>& text, std::size_t cell) {
    return {text.data(), N, cell};
  }

  Kind kind() const { return kind_; }
  char* text() const { return kind_ == Kind::Text ? static_cast<char*>(where_) : nullptr; }
  std::size_t length() const { return length_; }
  std::size_t cell() const { return cell_; }
  std::size_t cell_count() const { return kind_ == Kind::Text ? (length_ + cell_ - 1) / cell_ : 1; }
  std::int32_t* integer() const { return kind_ == Kind::Integer ? static_cast<std::int32_t*>(where_) : nullptr; }
  float* real() const { return kind_ == Kind::Real ? static_cast<float*>(where_) : nullptr; }

 private:
  void* where_;  // the text, integer or real to fill
  std::size_t length_ = 0;
  std::size_t cell_ = 0;
  Kind kind_;
};

}  // namespace barlist::records
