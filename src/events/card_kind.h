// The kinds of card, told apart by column 1. Both passes classify cards with
// this one function, so they cannot disagree on which cards take a bar-length
// table entry.
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

}  // namespace barlist::events
