// The kinds of card, told apart by column 1, and which of them take an entry
// in the bar-length table: both passes ask here.
#pragma once

#include <string_view>

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

// The kind as a detailer names it: "bar card", "line-skip card".
constexpr std::string_view kind_name(CardKind kind) {
  switch (kind) {
    case CardKind::Identification:
      return "identification card";
    case CardKind::Unit:
      return "unit card";
    case CardKind::Bar:
      return "bar card";
    case CardKind::StoreBar:
      return "store bar card";
    case CardKind::RecallBar:
      return "recall bar card";
    case CardKind::VaryBar:
      return "vary bar card";
    case CardKind::LumpWeight:
      return "lump weight card";
    case CardKind::Subtotal:
      return "subtotal card";
    case CardKind::Comment:
      return "comment card";
    case CardKind::LineSkip:
      return "line-skip card";
    case CardKind::End:
      return "end card";
    case CardKind::Unknown:
      break;
  }
  return "unknown card";
}

// Cards whose length pass 1 files in the bar-length table and pass 2 takes
// back, entry by entry.
constexpr bool takes_bar_length(CardKind kind) {
  return kind == CardKind::Bar || kind == CardKind::StoreBar || kind == CardKind::RecallBar;
}

// Cards that give one bar mark: those, and vary bars.
constexpr bool gives_bar_mark(CardKind kind) { return takes_bar_length(kind) || kind == CardKind::VaryBar; }

}  // namespace barlist::events
