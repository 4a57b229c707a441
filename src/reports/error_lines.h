// The line each deck error prints, on the quantities file or (errors 19 and
// 20) the console, built by the compiler from the error's number, message
// and fields: "('0','ERROR 9, ILLEGAL HOOK STYLE, PROBLEM ',A4,1X,4A4,' BAR',I3,A3)".
#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <utility>

#include "events/deck_errors.h"
#include "records/layout.h"

namespace barlist::reports {

namespace detail {

struct Notation {
  std::array<char, 128> chars{};
  std::size_t size = 0;

  constexpr void add(std::string_view text) {
    for (const char c : text) chars[size++] = c;
  }
  constexpr void add(int n) {
    if (n >= 10) add(n / 10);
    chars[size++] = static_cast<char>('0' + n % 10);
  }
  constexpr std::string_view view() const { return {chars.data(), size}; }
};

// The premature end prints its message alone; error 1 starts a new page.
constexpr Notation notation_of(const events::DeckErrorEntry& e) {
  Notation n;
  if (e.error == events::DeckError::PrematureEnd) {
    n.add("(' ");
    n.add(e.message);
    n.add("')");
    return n;
  }
  n.add(e.error == events::DeckError::NoIdentificationCard ? "('1','ERROR " : "('0','ERROR ");
  n.add(events::number(e.error));
  n.add(", ");
  n.add(e.message);
  const events::ErrorNames names = events::names_of(e.fields);
  if (!names.problem) {
    n.add("')");
    return n;
  }
  n.add(", PROBLEM ',A4");
  if (names.unit) n.add(",1X,4A4");
  if (names.bar) n.add(",' BAR',I3,A3");
  n.add(")");
  return n;
}

template <std::size_t I>
struct ErrorLine {
  static constexpr Notation notation = notation_of(events::kDeckErrors[I]);
  static constexpr records::Layout layout{notation.view()};
};

template <std::size_t... I>
constexpr std::array<const records::Layout*, sizeof...(I)> error_lines(std::index_sequence<I...>) {
  return {&ErrorLine<I>::layout...};
}

inline constexpr auto kErrorLines = error_lines(std::make_index_sequence<std::size(events::kDeckErrors)>());

}  // namespace detail

constexpr const records::Layout& error_line(events::DeckError error) {
  for (std::size_t i = 0; i < std::size(events::kDeckErrors); ++i) {
    if (events::kDeckErrors[i].error == error) return *detail::kErrorLines[i];
  }
  events::entry(error);  // throws: a number outside the table
  return *detail::kErrorLines[0];
}

// The values the line takes: the problem number, the unit name, and the
// bar's size and mark (two values).
constexpr std::size_t values_shown(events::ErrorFields fields) {
  const events::ErrorNames names = events::names_of(fields);
  return (names.problem ? 1 : 0) + (names.unit ? 1 : 0) + (names.bar ? 2 : 0);
}

}  // namespace barlist::reports
