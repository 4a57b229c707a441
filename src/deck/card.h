// One card image: the first 80 columns of a deck record, blank-filled.
#pragma once

#include <array>
#include <string_view>

#include "events/card_kind.h"

namespace barlist::deck {

inline constexpr std::size_t kCardColumns = 80;

class Card {
 public:
  Card() { columns_.fill(' '); }
  explicit Card(std::string_view record) {
    columns_.fill(' ');
    record.copy(columns_.data(), kCardColumns);
  }

  events::CardKind kind() const { return events::kind_of(columns_[0]); }
  std::string_view text() const { return {columns_.data(), kCardColumns}; }
  bool blank() const { return text().find_first_not_of(' ') == std::string_view::npos; }

 private:
  std::array<char, kCardColumns> columns_;
};

}  // namespace barlist::deck
