// The kinds of card, told apart by column 1, and which of them take an entry
// in the bar-length table: both passes ask here.
#pragma once

namespace barlist::events {

enum class CardKind {
  Identification,  // "*"
  Unit,            // "U"
  Bar,             // blank or "0"
  StoreBar,        // "S"
  RecallBar,       // "R"
  VaryBar,         // "V"
  LumpWeight,      // "W"
  Subtotal,        // "T"
  Comment,         // "C"
  LineSkip,        // "K"
  End,             // "Z"
  Unknown,         // anything else, lower-case letters included
};

constexpr CardKind kind_of(char column1) {
  switch (column1) {
    case '*':
      return CardKind::Identification;
    case 'U':
      return CardKind::Unit;
    case ' ':
    case '0':
      return CardKind::Bar;
    case 'S':
      return CardKind::StoreBar;
    case 'R':
      return CardKind::RecallBar;
    case 'V':
      return CardKind::VaryBar;
    case 'W':
      return CardKind::LumpWeight;
    case 'T':
      return CardKind::Subtotal;
    case 'C':
      return CardKind::Comment;
    case 'K':
      return CardKind::LineSkip;
    case 'Z':
      return CardKind::End;
    default:
      return CardKind::Unknown;
  }
}

// Cards whose length pass 1 files in the bar-length table and pass 2 takes
// back, entry by entry.
constexpr bool takes_bar_length(CardKind kind) {
  return kind == CardKind::Bar || kind == CardKind::StoreBar || kind == CardKind::RecallBar;
}

// Cards that give one bar mark: those, and vary bars.
constexpr bool gives_bar_mark(CardKind kind) { return takes_bar_length(kind) || kind == CardKind::VaryBar; }

}  // namespace barlist::events
