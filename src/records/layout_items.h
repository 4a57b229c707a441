// Reading a layout's notation into its items, as written: literals, fields
// with their repeat counts, skips, slashes, $ and groups. Throws
// std::invalid_argument on a malformed notation, which makes a Layout built
// by the compiler a compile error.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string_view>

namespace barlist::records {

enum class ItemKind : std::uint8_t { Literal, Text, Integer, Real, Skip, Slash, Dollar, GroupOpen, GroupClose };

constexpr bool is_field(ItemKind kind) {
  return kind == ItemKind::Text || kind == ItemKind::Integer || kind == ItemKind::Real;
}

inline constexpr int kMaxDecimals = 12;

struct Item {
  ItemKind kind = ItemKind::Literal;
  int repeat = 1;         // count in front of a field or a group
  int width = 0;          // field width, or the columns of nX
  int decimals = 0;       // Fw.d
  int partner = 0;        // index of the matching group close (on an open) or open (on a close)
  std::string_view text;  // a literal as written, doubled quotes included
  bool doubled_quotes = false;
};

struct LayoutItems {
  static constexpr int kMaxItems = 48;

  std::array<Item, kMaxItems> items{};
  int count = 0;
  int restart = 0;                  // the last outermost group: where output and input start again
  bool data_after_restart = false;  // that part has data items to take more values
};

class ItemParser {
 public:
  constexpr explicit ItemParser(std::string_view notation) : notation_(notation) {}

  constexpr LayoutItems parse() {
    std::size_t at = skip_blanks(0);
    if (at >= notation_.size() || notation_[at] != '(') bad("a layout starts with '('");
    at = parse_list(at + 1, 0);
    if (skip_blanks(at) != notation_.size()) bad("text after the closing ')'");
    for (int i = 0; i < result_.count; ++i) {
      if (result_.items[i].kind == ItemKind::GroupOpen && depth_at(i) == 0) result_.restart = i;
    }
    for (int i = result_.restart; i < result_.count; ++i) {
      if (is_field(result_.items[i].kind)) result_.data_after_restart = true;
    }
    return result_;
  }

 private:
  // Throwing during constant evaluation makes a malformed layout a compile error.
  static constexpr void bad(const char* why) {
    if (why != nullptr) throw std::invalid_argument(why);
  }

  constexpr std::size_t skip_blanks(std::size_t at) const {
    while (at < notation_.size() && notation_[at] == ' ') ++at;
    return at;
  }

  static constexpr bool is_digit(char c) { return c >= '0' && c <= '9'; }

  constexpr int read_number(std::size_t& at) const {
    int value = 0;
    bool any = false;
    while (at < notation_.size() && is_digit(notation_[at])) {
      value = value * 10 + (notation_[at] - '0');
      if (value > 1000) bad("number too large in a layout");
      ++at;
      any = true;
    }
    if (!any) bad("a number is missing in a layout");
    return value;
  }

  constexpr Item& add(ItemKind kind) {
    if (result_.count == LayoutItems::kMaxItems) bad("layout has too many items");
    Item& item = result_.items[result_.count++];
    item.kind = kind;
    return item;
  }

  constexpr int depth_at(int index) const {
    int depth = 0;
    for (int i = 0; i < index; ++i) {
      if (result_.items[i].kind == ItemKind::GroupOpen) ++depth;
      if (result_.items[i].kind == ItemKind::GroupClose) --depth;
    }
    return depth;
  }

  // Parses items up to and including the ')' that closes the list; returns the
  // position after it.
  constexpr std::size_t parse_list(std::size_t at, int depth) {
    bool need_item = false;  // a comma was just read
    bool may_item = true;    // an item may come without a comma: at the start or after a slash
    for (;;) {
      at = skip_blanks(at);
      if (at >= notation_.size()) bad("a layout is missing its ')'");
      const char c = notation_[at];
      if (c == ')') {
        if (need_item) bad("an item is missing after a comma");
        return at + 1;
      }
      if (c == ',') {
        if (need_item || (may_item && at > 0 && notation_[at - 1] == '(')) bad("an item is missing before a comma");
        need_item = true;
        may_item = true;
        ++at;
        continue;
      }
      if (c == '/') {  // a slash needs no commas around it
        add(ItemKind::Slash);
        need_item = false;
        may_item = true;
        ++at;
        continue;
      }
      if (!may_item) bad("a comma is missing between items");
      at = parse_item(at, depth);
      need_item = false;
      may_item = false;
    }
  }

  constexpr std::size_t parse_item(std::size_t at, int depth) {
    const char c = notation_[at];
    if (c == '\'') return parse_literal(at + 1);
    if (c == '$') {
      add(ItemKind::Dollar);
      return at + 1;
    }
    int count = 1;
    bool counted = false;
    if (is_digit(c)) {
      count = read_number(at);
      counted = true;
      if (count < 1) bad("a repeat count must be at least 1");
    }
    if (at >= notation_.size()) bad("a layout ends inside an item");
    const char letter = notation_[at++];
    switch (letter) {
      case '(': {
        const int open = result_.count;
        add(ItemKind::GroupOpen).repeat = count;
        at = parse_list(at, depth + 1);
        Item& close = add(ItemKind::GroupClose);
        close.partner = open;
        result_.items[open].partner = result_.count - 1;
        return at;
      }
      case 'X':
        if (!counted) bad("nX needs its count");
        add(ItemKind::Skip).width = count;
        return at;
      case 'A':
      case 'I':
      case 'F': {
        Item& item = add(letter == 'A' ? ItemKind::Text : letter == 'I' ? ItemKind::Integer : ItemKind::Real);
        item.repeat = count;
        item.width = read_number(at);
        if (item.width < 1) bad("a field is at least one column wide");
        if (letter == 'F') {
          if (at >= notation_.size() || notation_[at] != '.') bad("Fw.d needs its decimals");
          ++at;
          item.decimals = read_number(at);
          if (item.decimals > kMaxDecimals) bad("too many decimals");
        }
        return at;
      }
      default:
        bad("unknown item in a layout");
        return at;
    }
  }

  constexpr std::size_t parse_literal(std::size_t at) {
    const std::size_t start = at;
    bool doubled = false;
    for (;;) {
      if (at >= notation_.size()) bad("a literal is missing its closing quote");
      if (notation_[at] == '\'') {
        if (at + 1 < notation_.size() && notation_[at + 1] == '\'') {
          doubled = true;
          at += 2;
          continue;
        }
        break;
      }
      ++at;
    }
    Item& item = add(ItemKind::Literal);
    item.text = notation_.substr(start, at - start);
    item.doubled_quotes = doubled;
    item.width = static_cast<int>(item.text.size());
    if (doubled) {
      for (std::size_t i = 0; i + 1 < item.text.size(); ++i) {
        if (item.text[i] == '\'' && item.text[i + 1] == '\'') {
          --item.width;
          ++i;
        }
      }
    }
    return at + 1;
  }

  std::string_view notation_;
  LayoutItems result_;
};

constexpr LayoutItems parse_items(std::string_view notation) { return ItemParser(notation).parse(); }

}  // namespace barlist::records
