// A layout's items unrolled into the steps that output and input follow:
// groups repeated in place, skips folded into the columns, every step at the
// column it takes in its record. Literals have no meaning on input and take
// no columns there, so a step has a column for each direction.
//
// The steps come in two passes: the first from the layout's start, and the
// pass made again, on a new record, each time the layout ends with values (or
// targets) left over. That second pass starts at the last outermost group and
// so holds its own columns.
//
// Every column is known here, so a step past kMaxRecordColumns is rejected
// with the layout; no record can outgrow its buffer at run time.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "records/layout_items.h"

namespace barlist::records {

// The longest record a layout may describe; the system's longest is 115 columns.
inline constexpr int kMaxRecordColumns = 512;

struct Step {
  ItemKind kind = ItemKind::Literal;  // Literal, Text, Integer, Real, Slash or Dollar
  std::uint8_t decimals = 0;          // Fw.d
  std::uint16_t column = 0;           // where the step starts in its record, from 0
  std::uint16_t input_column = 0;     // the same on input
  std::uint16_t width = 0;            // of each field, or of the literal
  std::uint16_t repeat = 1;           // fields side by side (4A4 is one step of four)
  std::string_view text;              // a literal's characters, doubled quotes made single
};

struct LayoutSteps {
  static constexpr int kMaxSteps = 128;

  std::array<Step, kMaxSteps> steps{};
  int first_pass_end = 0;  // steps [0, first_pass_end) are the first pass
  int count = 0;           // steps [first_pass_end, count) the pass after a restart; none when the layout has none
  int widest_record = 0;   // columns of the layout's longest record
};

class StepUnroller {
 public:
  constexpr explicit StepUnroller(const LayoutItems& items) : items_(items) {}

  constexpr LayoutSteps unroll() {
    Columns columns;
    add_items(0, items_.count, columns);
    result_.first_pass_end = result_.count;
    if (items_.data_after_restart) {
      columns = {};
      add_items(items_.restart, items_.count, columns);
    }
    return result_;
  }

 private:
  static constexpr void bad(const char* why) {
    if (why != nullptr) throw std::invalid_argument(why);
  }

  struct Columns {
    int output = 0;
    int input = 0;
  };

  constexpr void add_items(int first, int last, Columns& columns) {
    for (int i = first; i < last; ++i) {
      const Item& item = items_.items[i];
      switch (item.kind) {
        case ItemKind::Literal:
          add_literal(item.text, columns);
          break;
        case ItemKind::Text:
        case ItemKind::Integer:
        case ItemKind::Real: {
          Step& step = add(item.kind, columns, item.width, item.repeat);
          step.decimals = static_cast<std::uint8_t>(item.decimals);
          columns.output += item.width * item.repeat;
          columns.input += item.width * item.repeat;
          break;
        }
        case ItemKind::Skip:
          // Nothing is written, so a skip may end past the limit; a step after it may not.
          columns.output = std::min(columns.output + item.width, kMaxRecordColumns + 1);
          columns.input = std::min(columns.input + item.width, kMaxRecordColumns + 1);
          break;
        case ItemKind::Slash:
          add(ItemKind::Slash, {}, 0, 1);
          columns = {};
          break;
        case ItemKind::Dollar:
          add(ItemKind::Dollar, {}, 0, 1);
          break;
        case ItemKind::GroupOpen:
          for (int r = 0; r < item.repeat; ++r) add_items(i + 1, item.partner, columns);
          i = item.partner;
          break;
        case ItemKind::GroupClose:
          break;
      }
    }
  }

  // A doubled quote stands for one: the literal is written as the pieces
  // between its doubled quotes, each ending with one quote of the pair.
  constexpr void add_literal(std::string_view text, Columns& columns) {
    if (text.empty()) {  // writes nothing, but the record reaches its column
      add(ItemKind::Literal, columns, 0, 1).text = text;
      return;
    }
    for (;;) {
      const std::size_t pair = text.find("''");
      const std::string_view piece = pair == std::string_view::npos ? text : text.substr(0, pair + 1);
      if (!piece.empty()) {
        add(ItemKind::Literal, columns, static_cast<int>(piece.size()), 1).text = piece;
        columns.output += static_cast<int>(piece.size());
      }
      if (pair == std::string_view::npos) return;
      text.remove_prefix(pair + 2);
    }
  }

  // Input columns never pass output columns, so the limit is checked on output.
  constexpr Step& add(ItemKind kind, Columns columns, int width, int repeat) {
    const int end = columns.output + width * repeat;
    if (end > kMaxRecordColumns) bad("a record is longer than 512 columns");
    result_.widest_record = std::max(result_.widest_record, end);
    if (result_.count == LayoutSteps::kMaxSteps) bad("layout unrolls to too many steps");
    Step& step = result_.steps[result_.count++];
    step.kind = kind;
    step.column = static_cast<std::uint16_t>(columns.output);
    step.input_column = static_cast<std::uint16_t>(columns.input);
    step.width = static_cast<std::uint16_t>(width);
    step.repeat = static_cast<std::uint16_t>(repeat);
    return step;
  }

  const LayoutItems& items_;
  LayoutSteps result_;
};

constexpr LayoutSteps unroll_steps(const LayoutItems& items) { return StepUnroller(items).unroll(); }

}  // namespace barlist::records
