// A card field as the compiler works it out from a card layout: its columns,
// whether it holds a number and its implied decimals, under the name a
// detailer says and the key the exports write.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <stdexcept>
#include <string_view>

#include "records/layout.h"

namespace barlist::cards {

inline constexpr int kCardColumns = 80;

struct CardField {
  std::string_view name;  // as a detailer says it: "count", "dimension A"
  std::string_view key;   // as the exports write it: "count", "a"
  int first;              // 1-based, inclusive
  int last;
  bool numeric = false;  // an integer or a real, not text
  bool integer = false;  // read as an integer
  int decimals = 0;      // a real's implied decimals

  // A number read as a whole number when it holds no decimal point.
  constexpr bool whole_number() const { return numeric && decimals == 0; }
  constexpr int width() const { return last - first + 1; }
  constexpr bool holds(int column) const { return column >= first && column <= last; }
  // The field's columns of an 80-column card image.
  constexpr std::string_view text(std::string_view card) const {
    return card.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(width()));
  }
};

// A set of the columns 1 to 80 of a card, made by the compiler.
class ColumnMask {
 public:
  constexpr void set(int column) { bits_[index(column)] = true; }
  constexpr bool test(int column) const { return bits_[index(column)]; }
  constexpr ColumnMask operator|(const ColumnMask& other) const {
    ColumnMask both;
    for (std::size_t i = 0; i < bits_.size(); ++i) both.bits_[i] = bits_[i] || other.bits_[i];
    return both;
  }

 private:
  static constexpr std::size_t index(int column) { return static_cast<std::size_t>(column - 1); }
  std::array<bool, kCardColumns> bits_{};
};

// The fields of one card kind, in column order.
class CardFields {
 public:
  constexpr CardFields() = default;
  constexpr explicit CardFields(std::span<const CardField> fields) : fields_(fields) {}

  constexpr auto begin() const { return fields_.begin(); }
  constexpr auto end() const { return fields_.end(); }
  constexpr std::size_t size() const { return fields_.size(); }
  constexpr const CardField& operator[](std::size_t i) const { return fields_[i]; }

  // The field of that name; a name the kind does not have is the program's
  // own fault (and a compile error where asked by the compiler).
  constexpr const CardField& named(std::string_view name) const {
    for (const CardField& field : fields_) {
      if (field.name == name) return field;
    }
    throw std::logic_error("a card field asked for by a name its card does not have");
  }

  // Whether a field reads the column: asked without a pointer, so that it
  // stays a constant expression under the undefined-behaviour sanitizer.
  constexpr bool reads(int column) const {
    for (const CardField& field : fields_) {
      if (field.holds(column)) return true;
    }
    return false;
  }

  // The field that reads `column`, or null when the card does not read it.
  constexpr const CardField* at_column(int column) const {
    for (const CardField& field : fields_) {
      if (field.holds(column)) return &field;
    }
    return nullptr;
  }

 private:
  std::span<const CardField> fields_;
};

// What a description names of each field: the rest comes from the layout.
struct FieldName {
  std::string_view name;
  std::string_view key;
};

// Names a layout's fields in turn, each at the columns the layout reads it
// from (skips take columns; the layout places every field).
template <std::size_t N>
consteval std::array<CardField, N> fields_of(const records::Layout& layout, const std::array<FieldName, N>& names) {
  std::array<CardField, N> fields{};
  std::size_t next = 0;
  for (const records::Item& item : layout.items()) {
    if (!records::Layout::is_field(item.kind)) throw std::logic_error("a card layout holds only fields and skips");
    for (int r = 0; r < item.repeat; ++r) {
      if (next == N) throw std::logic_error("a card layout with more fields than names");
      const int first = item.input_column + r * item.width + 1;
      if (first + item.width - 1 > kCardColumns) throw std::logic_error("a card field beyond column 80");
      fields[next] = {names[next].name,
                      names[next].key,
                      first,
                      first + item.width - 1,
                      item.kind != records::ItemKind::Text,
                      item.kind == records::ItemKind::Integer,
                      item.decimals};
      ++next;
    }
  }
  if (next != N) throw std::logic_error("a card layout with fewer fields than names");
  return fields;
}

// The columns that the fields read, column 1 (the kind) included.
constexpr ColumnMask read_columns(CardFields fields) {
  ColumnMask mask;
  mask.set(1);
  for (const CardField& field : fields) {
    for (int column = field.first; column <= field.last; ++column) mask.set(column);
  }
  return mask;
}

}  // namespace barlist::cards
