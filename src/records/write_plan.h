// A write whose values are known by number and kind, each a single value (no
// run of cells), makes the same literals, fields and record ends every time.
// The compiler works them out once, walking the layout as output does, and
// keeps them as a plan: each step at its column, each field with the place
// of its value among the call's arguments. Run by OutputChannel::write, a
// plan is straight-line code with every column and width a constant.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "records/layout.h"

namespace barlist::records {

struct PlannedStep {
  ItemKind kind = ItemKind::Literal;  // Literal, a field's kind, or Slash: the record ends
  std::uint8_t decimals = 0;
  std::uint16_t column = 0;
  std::uint16_t width = 0;
  std::uint16_t value = 0;   // a field's argument, counted from 0
  std::uint16_t length = 0;  // the length of the record a Slash ends
  std::string_view text;     // a literal's characters
};

template <std::size_t N>
struct WritePlan {
  std::array<PlannedStep, N> steps{};
  int last_length = 0;   // of the last record
  bool line_end = true;  // false when the layout ends with $
};

// Output's walk with `values` values, recorded instead of written; with no
// room given it only counts the steps.
class PlanRecorder {
 public:
  constexpr PlanRecorder(std::size_t values, PlannedStep* steps) : values_(values), steps_(steps) {}

  constexpr void literal(const Item& item) { add(ItemKind::Literal, item.column, item.width).text = item.text; }
  constexpr bool fields(const Item& item) {
    for (int r = 0; r < item.repeat; ++r) {
      if (taken_ == values_) return false;  // output stops at the first data item without a value
      PlannedStep& field = add(item.kind, item.column + r * item.width, item.width);
      field.decimals = item.decimals;
      field.value = static_cast<std::uint16_t>(taken_++);
    }
    return true;
  }
  constexpr bool next_record() {
    add(ItemKind::Slash, 0, 0).length = static_cast<std::uint16_t>(length_);
    length_ = 0;
    return true;
  }
  constexpr void leave_line_open() { line_end_ = false; }
  constexpr bool more() const { return taken_ < values_; }

  constexpr std::size_t count() const { return count_; }
  constexpr int length() const { return length_; }
  constexpr bool line_end() const { return line_end_; }

 private:
  constexpr PlannedStep& add(ItemKind kind, int column, int width) {
    if (kind != ItemKind::Slash) length_ = column + width;
    PlannedStep& step = steps_ != nullptr ? steps_[count_] : scratch_;
    ++count_;
    step.kind = kind;
    step.column = static_cast<std::uint16_t>(column);
    step.width = static_cast<std::uint16_t>(width);
    return step;
  }

  std::size_t values_;
  PlannedStep* steps_;
  PlannedStep scratch_;
  std::size_t taken_ = 0;
  std::size_t count_ = 0;
  int length_ = 0;
  bool line_end_ = true;
};

constexpr std::size_t planned_steps(const Layout& layout, std::size_t values) {
  PlanRecorder counter(values, nullptr);
  walk(layout, counter);
  return counter.count();
}

template <const Layout& layout, std::size_t values>
constexpr auto plan_write() {
  WritePlan<planned_steps(layout, values)> plan;
  PlanRecorder recorder(values, plan.steps.data());
  walk(layout, recorder);
  plan.last_length = recorder.length();
  plan.line_end = recorder.line_end();
  return plan;
}

}  // namespace barlist::records
