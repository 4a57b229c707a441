// What a layout's data items take on output (Value) and fill on input (Target).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace barlist::records {

// One output value: a text, an integer or a single-precision real. A run of
// text cells (a 16-character name written as 4A4, a card as 80A1) is one
// Value that feeds one cell to each data item in turn.
class Value {
 public:
  enum class Kind : std::uint8_t { Text, Integer, Real };

  Value(std::string_view text) : kind_(Kind::Text), text_(text), cell_(text.size()) {}
  Value(const char* text) : Value(std::string_view(text)) {}
  template <std::size_t N>
  Value(const std::array<char, N>& text) : Value(std::string_view(text.data(), N)) {}
  Value(int value) : kind_(Kind::Integer), integer_(value) {}
  Value(long value) : kind_(Kind::Integer), integer_(value) {}
  Value(long long value) : kind_(Kind::Integer), integer_(value) {}
  Value(float value) : kind_(Kind::Real), real_(value) {}
  Value(double) = delete;  // reals are single precision: convert on purpose

  // Text split into cells of `cell` characters, one per data item.
  static Value cells(std::string_view text, std::size_t cell) {
    Value v(text);
    v.cell_ = cell == 0 ? 1 : cell;
    return v;
  }

  Kind kind() const { return kind_; }
  std::string_view text() const { return text_; }
  std::size_t cell() const { return cell_; }
  std::size_t cell_count() const { return kind_ == Kind::Text && cell_ < text_.size() ? (text_.size() + cell_ - 1) / cell_ : 1; }
  std::int64_t integer() const { return integer_; }
  float real() const { return real_; }

 private:
  Kind kind_;
  std::string_view text_;
  std::size_t cell_ = 0;
  std::int64_t integer_ = 0;
  float real_ = 0;
};

// One input target: a fixed text cell (or a run of cells), an integer or a real.
class Target {
 public:
  enum class Kind : std::uint8_t { Text, Integer, Real };

  Target(char* text, std::size_t length, std::size_t cell)
      : kind_(Kind::Text), text_(text), length_(length), cell_(cell == 0 ? 1 : cell) {}
  template <std::size_t N>
  Target(std::array<char, N>& text) : Target(text.data(), N, N) {}
  Target(std::int32_t& value) : kind_(Kind::Integer), integer_(&value) {}
  Target(float& value) : kind_(Kind::Real), real_(&value) {}

  template <std::size_t N>
  static Target cells(std::array<char, N>& text, std::size_t cell) {
    return Target(text.data(), N, cell);
  }

  Kind kind() const { return kind_; }
  char* text() const { return text_; }
  std::size_t length() const { return length_; }
  std::size_t cell() const { return cell_; }
  std::size_t cell_count() const { return kind_ == Kind::Text ? (length_ + cell_ - 1) / cell_ : 1; }
  std::int32_t* integer() const { return integer_; }
  float* real() const { return real_; }

 private:
  Kind kind_;
  char* text_ = nullptr;
  std::size_t length_ = 0;
  std::size_t cell_ = 0;
  std::int32_t* integer_ = nullptr;
  float* real_ = nullptr;
};

}  // namespace barlist::records
