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
// A Layout is parsed and unrolled by the compiler only (its constructor is
// consteval): a malformed layout, or one whose records would pass column
// 512, does not compile, and a layout never refers to text that may go away.
//
//   constexpr Layout kUnitLine{"('0',4A4,I9,' kg    x',2X,I2)"};
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "records/layout_items.h"
#include "records/layout_steps.h"

namespace barlist::records {

class Layout {
 public:
  static constexpr int kMaxItems = LayoutItems::kMaxItems;
  static constexpr int kMaxSteps = LayoutSteps::kMaxSteps;
  static constexpr int kMaxDecimals = records::kMaxDecimals;

  consteval explicit Layout(std::string_view notation)
      : notation_(notation), items_(parse_items(notation)), steps_(unroll_steps(items_)) {}

  constexpr std::string_view notation() const { return notation_; }
  constexpr std::span<const Item> items() const {
    return {items_.items.data(), static_cast<std::size_t>(items_.count)};
  }
  // Where output and input start again when the layout ends and values remain.
  constexpr int restart_index() const { return items_.restart; }
  constexpr bool reads_again_after_restart() const { return items_.data_after_restart; }

  // The steps of the first pass, and of each pass after a restart (none when
  // the layout does not start again).
  constexpr std::span<const Step> first_pass() const {
    return {steps_.steps.data(), static_cast<std::size_t>(steps_.first_pass_end)};
  }
  constexpr std::span<const Step> pass_after_restart() const {
    return {steps_.steps.data() + steps_.first_pass_end,
            static_cast<std::size_t>(steps_.count - steps_.first_pass_end)};
  }

  // Columns of the longest record the layout writes.
  constexpr int widest_record() const { return steps_.widest_record; }

  static constexpr bool is_field(ItemKind kind) { return records::is_field(kind); }

 private:
  std::string_view notation_;
  LayoutItems items_;
  LayoutSteps steps_;
};

// Why the compiler would reject `notation` as a layout; empty when it would not.
std::string layout_error(std::string_view notation);

}  // namespace barlist::records
