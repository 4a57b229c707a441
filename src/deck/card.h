// One card image: the first 80 columns of a deck record, blank-filled.
#pragma once

#include <array>
#include <cstring>
#include <string_view>

#include "cards/card_fields.h"
#include "cards/card_kind.h"
#include "records/fields.h"

namespace barlist::deck {

inline constexpr std::size_t kCardColumns = cards::kCardColumns;

inline bool is_digit(char c) { return c >= '0' && c <= '9'; }

class Card {
 public:
  Card() { columns_.fill(' '); }
  explicit Card(std::string_view record) { assign(record); }

  // Copied in pieces of 16 columns and a tail of fixed-size moves: a copy of
  // varying length is otherwise one of the costliest steps of reading a card.
  void assign(std::string_view record) {
    columns_.fill(' ');
    const std::size_t n = record.size() < kCardColumns ? record.size() : kCardColumns;
    std::size_t i = 0;
    for (; i + 16 <= n; i += 16) std::memcpy(columns_.data() + i, record.data() + i, 16);
    records::copy_characters(columns_.data() + i, record.data() + i, n - i);
  }

  cards::CardKind kind() const { return cards::kind_of(columns_[0]); }
  std::string_view text() const { return {columns_.data(), kCardColumns}; }
  char at(int column) const { return columns_[static_cast<std::size_t>(column - 1)]; }  // column 1 to 80
  bool blank() const { return text().find_first_not_of(' ') == std::string_view::npos; }

 private:
  std::array<char, kCardColumns> columns_;
};

}  // namespace barlist::deck
