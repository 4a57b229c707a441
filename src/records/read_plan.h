// The input side of records/write_plan.h: a read whose targets are known by
// number and kind, each a single target (no run of cells), reads the same
// fields every time. The compiler works them out once, walking the layout as
// input does; running the plan (read_planned) is straight-line code.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <tuple>
#include <utility>

#include "records/fields.h"
#include "records/layout.h"
#include "records/record_source.h"
#include "records/walk.h"

namespace barlist::records {

struct PlannedField {
  ItemKind kind = ItemKind::Text;  // Text, Integer, Real, or Slash: go on to the next record
  std::uint8_t decimals = 0;
  std::uint16_t column = 0;
  std::uint16_t width = 0;
  std::uint16_t target = 0;  // the field's argument
};

// Input's walk with `targets` targets, recorded instead of read; with no room
// given it only counts the fields.
class ReadRecorder {
 public:
  constexpr ReadRecorder(std::size_t targets, PlannedField* fields) : targets_(targets), fields_(fields) {}

  constexpr void literal(const Step&) {}
  constexpr void leave_line_open() {}
  constexpr bool fields(const Step& step) {
    for (int r = 0; r < step.repeat; ++r) {
      if (taken_ == targets_) return false;
      PlannedField& field = add(step.kind);
      field.decimals = step.decimals;
      field.column = static_cast<std::uint16_t>(step.input_column + r * step.width);
      field.width = step.width;
      field.target = static_cast<std::uint16_t>(taken_++);
    }
    return true;
  }
  constexpr bool next_record() {
    if (taken_ == targets_) return false;
    add(ItemKind::Slash);
    return true;
  }
  constexpr bool more() const { return taken_ < targets_; }

  constexpr std::size_t count() const { return count_; }

 private:
  constexpr PlannedField& add(ItemKind kind) {
    PlannedField& field = fields_ != nullptr ? fields_[count_] : scratch_;
    ++count_;
    field.kind = kind;
    return field;
  }

  std::size_t targets_;
  PlannedField* fields_;
  PlannedField scratch_;
  std::size_t taken_ = 0;
  std::size_t count_ = 0;
};

constexpr std::size_t planned_fields(const Layout& layout, std::size_t targets) {
  ReadRecorder counter(targets, nullptr);
  walk(layout, counter);
  return counter.count();
}

template <const Layout& layout, std::size_t targets>
constexpr auto plan_read() {
  std::array<PlannedField, planned_fields(layout, targets)> plan{};
  ReadRecorder recorder(targets, plan.data());
  walk(layout, recorder);
  return plan;
}

// One field into a target of a checked read.
inline ReadStatus read_target(std::string_view field, ItemKind, int, std::int32_t& target) {
  return read_integer(field, target);
}
inline ReadStatus read_target(std::string_view field, ItemKind kind, int decimals, float& target) {
  return read_real(field, kind == ItemKind::Real ? decimals : 0, target);
}
template <std::size_t N>
ReadStatus read_target(std::string_view field, ItemKind, int, std::array<char, N>& target) {
  get_text(field, target.data(), N);
  return ReadStatus::Ok;
}

// Runs the plan of a checked read: the fields, and the records after the
// first from `more`.
template <const Layout& layout, typename... Targets>
ReadStatus read_planned(std::string_view record, RecordSource& more, Targets&... targets) {
  static constexpr auto kPlan = plan_read<layout, sizeof...(Targets)>();
  const auto arguments = std::forward_as_tuple(targets...);
  ReadStatus status = ReadStatus::Ok;
  char padded[kMaxRecordColumns];
  const auto take = [&]<std::size_t f>() {
    constexpr PlannedField kField = kPlan[f];
    if constexpr (kField.kind == ItemKind::Slash) {
      record = more.following_record();
    } else {
      status = read_target(field_at(record, kField.column, kField.width, padded), kField.kind, kField.decimals,
                           std::get<kField.target>(arguments));
    }
    return status == ReadStatus::Ok;  // the targets before a failure are filled, none after
  };
  [&]<std::size_t... f>(std::index_sequence<f...>) { (take.template operator()<f>() && ...); }
  (std::make_index_sequence<kPlan.size()>());
  return status;
}

}  // namespace barlist::records
