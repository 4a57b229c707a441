// The record-layout notation: a parenthesised list of items that says, column
// by column, how values become the characters of a record and back.
//
//   'text'  literal (a quote inside is written twice)
//   Aw Iw Fw.d  text, integer and real fields, with an optional repeat count (4A4)
//   nX      move n columns right
//   /       end the record and start the next
//   $       last item: leave the line open (prompts)
//   r(...)  repeat a group r times
//
// Values go to the data items (fields) in turn; output stops at the first
// data item without a value, input when the targets are filled. When the
// layout ends with values left, the record ends and the layout starts again,
// on a new record, at its last outermost group (at its start when it has no
// group), provided that part has data items.
//
// The compiler reads a Layout (its constructor is consteval) straight into
// the items output and input follow: groups repeated in place, skips folded
// into the columns. A malformed layout, or one whose records would pass
// column 512, does not compile: constexpr Layout kLine{"('0',4A4,I9)"};
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace barlist::records {

// The longest record a layout may describe; the system's longest is 115 columns.
inline constexpr int kMaxRecordColumns = 512;
inline constexpr int kMaxDecimals = 12;

enum class ItemKind : std::uint8_t { Literal, Text, Integer, Real, Slash, Dollar };  // fields from Text to Real

constexpr bool is_field(ItemKind kind) { return kind >= ItemKind::Text && kind <= ItemKind::Real; }

// One item at its place in its record. A count in front of a field stays with
// it: 4A4 is one item of four fields side by side.
struct Item {
  ItemKind kind = ItemKind::Literal;
  std::uint8_t decimals = 0;       // Fw.d
  std::uint16_t repeat = 1;        // fields side by side
  std::uint16_t width = 0;         // of each field, or of the literal
  std::uint16_t column = 0;        // where the item starts in its record, from 0
  std::uint16_t input_column = 0;  // the same on input, where literals take no columns
  std::string_view text;           // a literal's characters, a doubled quote made single
};

class LayoutParser {
 public:
  static constexpr int kMaxItems = 128;
  struct Result {
    std::array<Item, kMaxItems> items{};
    int first_pass_end = 0;  // items [0, first_pass_end) are the first pass
    int count = 0;           // items [first_pass_end, count) the pass after a restart, if any
    int widest_record = 0;
  };

  constexpr explicit LayoutParser(std::string_view notation) : text_(notation) {}

  constexpr Result parse() {
    std::size_t at = skip_blanks(0);
    if (at >= text_.size() || text_[at] != '(') bad("a layout starts with '('");
    restart_at_ = at + 1;
    at = parse_list(at + 1, 0);
    if (skip_blanks(at) != text_.size()) bad("text after the closing ')'");
    result_.first_pass_end = result_.count;
    // The pass after a restart is the text from the last outermost group read
    // once more, from the first column of a new record.
    bool fields_after_restart = false;
    for (int i = restart_item_; i < result_.count; ++i) fields_after_restart |= is_field(result_.items[i].kind);
    if (fields_after_restart) {
      columns_ = {};
      parse_list(restart_at_, 0);
    }
    return result_;
  }

 private:
  // Throwing during constant evaluation makes a malformed layout a compile error.
  static constexpr void bad(const char* why) {
    if (why != nullptr) throw std::invalid_argument(why);
  }

  constexpr std::size_t skip_blanks(std::size_t at) const {
    while (at < text_.size() && text_[at] == ' ') ++at;
    return at;
  }

  static constexpr bool is_digit(char c) { return c >= '0' && c <= '9'; }

  constexpr int read_number(std::size_t& at) const {
    int value = 0;
    if (at >= text_.size() || !is_digit(text_[at])) bad("a number is missing in a layout");
    while (at < text_.size() && is_digit(text_[at])) {
      value = value * 10 + (text_[at++] - '0');
      if (value > 1000) bad("number too large in a layout");
    }
    return value;
  }

  // Reads items up to and including the ')' that closes the list; returns the
  // position after it.
  constexpr std::size_t parse_list(std::size_t at, int depth) {
    bool need_item = false;  // a comma was just read
    bool may_item = true;    // an item may come without a comma: at the start or after a slash
    for (;;) {
      at = skip_blanks(at);
      if (at >= text_.size()) bad("a layout is missing its ')'");
      const char c = text_[at];
      if (c == ')') {
        if (need_item) bad("an item is missing after a comma");
        return at + 1;
      }
      if (c == ',') {
        if (need_item || (may_item && text_[at - 1] == '(')) bad("an item is missing before a comma");
        need_item = may_item = true;
        ++at;
      } else if (c == '/') {  // a slash needs no commas around it
        add(ItemKind::Slash, 0, 1);
        columns_ = {};
        need_item = false;
        may_item = true;
        ++at;
      } else {
        if (!may_item) bad("a comma is missing between items");
        at = parse_item(at, depth);
        need_item = may_item = false;
      }
    }
  }

  constexpr std::size_t parse_item(std::size_t at, int depth) {
    const std::size_t start = at;
    if (text_[at] == '\'') return parse_literal(at + 1);
    if (text_[at] == '$') {
      add(ItemKind::Dollar, 0, 1);
      return at + 1;
    }
    const bool counted = is_digit(text_[at]);
    const int count = counted ? read_number(at) : 1;
    if (count < 1) bad("a repeat count must be at least 1");
    if (at >= text_.size()) bad("a layout ends inside an item");
    const char letter = text_[at++];
    if (letter == '(') {
      if (depth == 0) {
        restart_at_ = start;
        restart_item_ = result_.count;
      }
      std::size_t end = at;
      for (int r = 0; r < count; ++r) end = parse_list(at, depth + 1);
      return end;
    }
    if (letter == 'X') {
      if (!counted) bad("nX needs its count");
      // Nothing is written, so a skip may end past the limit; an item after it may not.
      columns_.output = std::min(columns_.output + count, kMaxRecordColumns + 1);
      columns_.input = std::min(columns_.input + count, kMaxRecordColumns + 1);
      return at;
    }
    if (letter != 'A' && letter != 'I' && letter != 'F') bad("unknown item in a layout");
    const int width = read_number(at);
    if (width < 1) bad("a field is at least one column wide");
    int decimals = 0;
    if (letter == 'F') {
      if (at >= text_.size() || text_[at] != '.') bad("Fw.d needs its decimals");
      decimals = read_number(++at);
      if (decimals > kMaxDecimals) bad("too many decimals");
    }
    const ItemKind kind = letter == 'A' ? ItemKind::Text : letter == 'I' ? ItemKind::Integer : ItemKind::Real;
    add(kind, width, count).decimals = static_cast<std::uint8_t>(decimals);
    columns_.output += width * count;
    columns_.input += width * count;
    return at;
  }

  // A doubled quote stands for one: the literal is written as the pieces
  // between its doubled quotes, each ending with one quote of the pair. An
  // empty literal writes nothing, but its record reaches its column.
  constexpr std::size_t parse_literal(std::size_t at) {
    bool written = false;
    for (std::size_t piece = at;; ++at) {
      if (at >= text_.size()) bad("a literal is missing its closing quote");
      if (text_[at] != '\'') continue;
      const bool doubled = at + 1 < text_.size() && text_[at + 1] == '\'';
      const std::size_t end = doubled ? at + 1 : at;
      if (end > piece || !written) {
        add(ItemKind::Literal, static_cast<int>(end - piece), 1).text = text_.substr(piece, end - piece);
        columns_.output += static_cast<int>(end - piece);
        written = true;
      }
      if (!doubled) return at + 1;
      piece = ++at + 1;
    }
  }

  // Input columns never pass output columns, so the limit is checked on output.
  constexpr Item& add(ItemKind kind, int width, int repeat) {
    const int end = columns_.output + width * repeat;
    if (end > kMaxRecordColumns) bad("a record is longer than 512 columns");
    if (result_.count == kMaxItems) bad("a layout has too many items");
    result_.widest_record = std::max(result_.widest_record, end);
    Item& item = result_.items[result_.count++];
    item.kind = kind;
    item.width = static_cast<std::uint16_t>(width);
    item.repeat = static_cast<std::uint16_t>(repeat);
    item.column = static_cast<std::uint16_t>(columns_.output);
    item.input_column = static_cast<std::uint16_t>(columns_.input);
    return item;
  }

  struct Columns {
    int output = 0, input = 0;
  };

  std::string_view text_;
  Result result_;
  Columns columns_;
  std::size_t restart_at_ = 0;  // where the last outermost group starts in the text
  int restart_item_ = 0;        // and its first item
};

class Layout {
 public:
  consteval explicit Layout(std::string_view notation) : parsed_(LayoutParser(notation).parse()) {}

  // The items from the layout's start, in order.
  constexpr std::span<const Item> items() const { return first_pass(); }
  constexpr std::span<const Item> first_pass() const {
    return {parsed_.items.data(), static_cast<std::size_t>(parsed_.first_pass_end)};
  }
  // The items of each pass after a restart; none when the layout does not start again.
  constexpr std::span<const Item> pass_after_restart() const {
    return {parsed_.items.data() + parsed_.first_pass_end,
            static_cast<std::size_t>(parsed_.count - parsed_.first_pass_end)};
  }
  // Columns of the longest record the layout writes.
  constexpr int widest_record() const { return parsed_.widest_record; }

  static constexpr bool is_field(ItemKind kind) { return records::is_field(kind); }

 private:
  LayoutParser::Result parsed_;
};

// Why the compiler would reject `notation` as a layout; empty when it would not.
std::string layout_error(std::string_view notation);

// The items of one pass, in order; false when the visitor ended the walk.
template <typename Visitor>
[[gnu::always_inline]] constexpr bool walk_pass(std::span<const Item> pass, Visitor& visitor) {
#if !defined(__clang__)  // clang unrolls unasked, and warns where a pass is unknown
#pragma GCC unroll 128
#endif
  for (const Item& item : pass) {
    switch (item.kind) {
      case ItemKind::Literal:
        visitor.literal(item);
        break;
      case ItemKind::Dollar:
        visitor.leave_line_open();
        break;
      case ItemKind::Slash:
        if (!visitor.next_record()) return false;
        break;
      default:
        if (!visitor.fields(item)) return false;
    }
  }
  return true;
}

// The one walk of a layout, for output and input alike: its first pass, then,
// while values (or targets) are left, a new record and the pass after the
// restart, again and again. What an item does is the visitor's:
//
//   void literal(const Item&)   fixed text (nothing on input)
//   bool fields(const Item&)    the item's fields; false ends the walk (nothing left, or a field failed)
//   bool next_record()          a slash, or a restart; false ends the walk
//   void leave_line_open()      $
//   bool more() const           values or targets left at the end of a pass
//
// Inlined into each caller, so that for a layout the compiler knows every
// item's kind, column and width are constants.
template <typename Visitor>
[[gnu::always_inline]] constexpr void walk(const Layout& layout, Visitor& visitor) {
  if (!walk_pass(layout.first_pass(), visitor)) return;
  // A pass after a restart holds a data item: each takes a value or ends the walk.
  const std::span<const Item> again = layout.pass_after_restart();
  while (!again.empty() && visitor.more() && visitor.next_record()) {
    if (!walk_pass(again, visitor)) return;
  }
}

}  // namespace barlist::records
