// Applying layouts to text held in memory: decoding a card image into its
// fields, and encoding one value into a text cell.
#pragma once

#include <array>
#include <initializer_list>
#include <span>
#include <string_view>
#include <utility>

#include "records/data_shapes.h"
#include "records/fields.h"
#include "records/layout.h"
#include "records/read_plan.h"
#include "records/record_source.h"
#include "records/values.h"

namespace barlist::records {

// Reads the fields of `record` into `targets` with the input rules: columns
// past the end of a record read as blanks. Returns the first conversion
// failure, if any; the targets before it are filled.
ReadStatus decode_fields(std::string_view record, const Layout& layout, std::span<const Target> targets,
                         RecordSource& more);
// The same for text held in memory: the records after it are blank.
ReadStatus decode_fields(std::string_view record, const Layout& layout, std::span<const Target> targets);
inline ReadStatus decode_fields(std::string_view record, const Layout& layout, std::initializer_list<Target> targets) {
  return decode_fields(record, layout, std::span<const Target>(targets.begin(), targets.size()));
}
// The same with the targets' kinds checked against the layout by the compiler
// (records/data_shapes.h): decode_fields<kRecallCard>(card, IBS, IBM, ANOB).
// Without runs of cells the read follows a plan the compiler made.
template <const Layout& layout, typename... Targets>
ReadStatus decode_records(std::string_view record, RecordSource& more, Targets&&... targets) {
  static_assert(targets_fit<layout, Targets...>(), "the targets do not suit the layout's data items");
  if constexpr (((target_shape<Targets>() != DataShape::TextCells) && ...)) {
    return read_planned<layout>(record, more, targets...);
  } else {
    const std::array<Target, sizeof...(Targets)> list{Target(targets)...};
    return decode_fields(record, layout, std::span<const Target>(list), more);
  }
}
template <const Layout& layout, typename... Targets>
ReadStatus decode_fields(std::string_view record, Targets&&... targets) {
  BlankRecords blank;
  return decode_records<layout>(record, blank, std::forward<Targets>(targets)...);
}

// Writes `value` into `cell` with an output layout; the cell receives the
// first record, cut or blank-padded to its length.
void encode_fields(std::span<char> cell, const Layout& layout, const Value& value);

}  // namespace barlist::records
