// The kinds of card, told apart by column 1: the letters of each kind, the
// name a detailer knows it by and the plain name the exports give it, in one
// table that every kind name, every column-1 test and the list of kinds in a
// note are taken from.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace barlist::cards {

enum class CardKind {
  Identification,
  Unit,
  Bar,
  StoreBar,
  RecallBar,
  VaryBar,
  LumpWeight,
  Subtotal,
  Comment,
  LineSkip,
  End,
  Unknown,  // anything else, lower-case letters included
};

struct KindDescription {
  CardKind kind;
  std::string_view letters;  // the column-1 characters of the kind
  std::string_view name;     // "bar card"
  std::string_view key;      // the exports' name: "bar", "store"...
};

inline constexpr std::array<KindDescription, 12> kKinds{{
    {CardKind::Identification, "*", "identification card", "other"},
    {CardKind::Unit, "U", "unit card", "other"},
    {CardKind::Bar, " 0", "bar card", "bar"},
    {CardKind::StoreBar, "S", "store bar card", "store"},
    {CardKind::RecallBar, "R", "recall bar card", "recall"},
    {CardKind::VaryBar, "V", "vary bar card", "vary"},
    {CardKind::LumpWeight, "W", "lump weight card", "lump"},
    {CardKind::Subtotal, "T", "subtotal card", "other"},
    {CardKind::Comment, "C", "comment card", "other"},
    {CardKind::LineSkip, "K", "line-skip card", "other"},
    {CardKind::End, "Z", "end card", "other"},
    {CardKind::Unknown, "", "unknown card", "other"},
}};

constexpr const KindDescription& describe(CardKind kind) { return kKinds[static_cast<std::size_t>(kind)]; }

static_assert(
    [] {
      for (std::size_t i = 0; i < kKinds.size(); ++i) {
        if (static_cast<std::size_t>(kKinds[i].kind) != i) return false;
      }
      return true;
    }(),
    "the table of kinds stands in the order of CardKind");

namespace detail {
inline constexpr auto kKindOfByte = [] {
  std::array<CardKind, 256> kinds{};
  kinds.fill(CardKind::Unknown);
  for (const KindDescription& kind : kKinds) {
    for (const char letter : kind.letters) kinds[static_cast<unsigned char>(letter)] = kind.kind;
  }
  return kinds;
}();
}  // namespace detail

constexpr CardKind kind_of(char column1) { return detail::kKindOfByte[static_cast<unsigned char>(column1)]; }

// The kind as a detailer names it: "bar card", "line-skip card".
constexpr std::string_view kind_name(CardKind kind) { return describe(kind).name; }

// The kind a small letter in column 1 most likely stands for; Unknown when
// its capital is no kind either.
constexpr CardKind capital_kind(char column1) {
  if (column1 < 'a' || column1 > 'z') return CardKind::Unknown;
  return kind_of(static_cast<char>(column1 - 'a' + 'A'));
}

// Every column-1 character of a kind, as a note lists them: "*, U, blank, 0,
// S, ... or Z".
inline std::string kind_letters() {
  std::string list;
  std::size_t left = 0;
  for (const KindDescription& kind : kKinds) left += kind.letters.size();
  for (const KindDescription& kind : kKinds) {
    for (const char letter : kind.letters) {
      --left;
      list += letter == ' ' ? std::string("blank") : std::string(1, letter);
      if (left > 1) list += ", ";
      if (left == 1) list += " or ";
    }
  }
  return list;
}

// Cards whose length pass 1 files in the bar-length table and pass 2 takes
// back, entry by entry.
constexpr bool takes_bar_length(CardKind kind) {
  return kind == CardKind::Bar || kind == CardKind::StoreBar || kind == CardKind::RecallBar;
}

// Cards that give one bar mark: those, and vary bars.
constexpr bool gives_bar_mark(CardKind kind) { return takes_bar_length(kind) || kind == CardKind::VaryBar; }

}  // namespace barlist::cards
