// The columns each card kind puts to use: those its fields read, and those
// the bar table lists as punched although the quantities do not read them
// (a unit card's description, a vary bar card's length columns and bar card
// fields). What is left is free, and text there is likely a slip.
#pragma once

#include <array>
#include <cstddef>

#include "cards/descriptions.h"

namespace barlist::cards {

// What a unit card holds after its price: text the bar table prints.
inline constexpr CardField kUnitDescription{"description", "description", kUnitFields.named("price").last + 1,
                                            kCardColumns};

// Fields a kind does not read that the bar table lists as punched, in
// column order.
struct ListedFields {
  std::array<CardField, 24> fields{};
  std::size_t count = 0;
  constexpr const CardField* begin() const { return fields.data(); }
  constexpr const CardField* end() const { return fields.data() + count; }
};

// A unit card's description; on a recall bar card the bar card fields after
// the length (the length listed is the recalled one), and on a vary bar card
// those and the length's own columns: each as a bar card names it, less the
// fields the kind reads itself.
constexpr ListedFields listed_fields(CardKind kind) {
  ListedFields listed;
  if (kind == CardKind::Unit) listed.fields.at(listed.count++) = kUnitDescription;
  if (kind != CardKind::RecallBar && kind != CardKind::VaryBar) return listed;
  const int length_first = kBarFields.named("length in hundreds of mm").first;
  const int length_last = kBarFields.named("length in mm").last;
  const ColumnMask read = read_columns(fields_of(kind));
  for (const CardField& field : kBarFields) {
    const bool length = field.first >= length_first && field.last <= length_last;
    if (field.last < length_first || (length && kind == CardKind::RecallBar) || read.test(field.first)) continue;
    listed.fields.at(listed.count++) = field;
  }
  return listed;
}

constexpr ColumnMask used_columns(CardKind kind) {
  ColumnMask used = read_columns(fields_of(kind));
  for (const CardField& field : listed_fields(kind)) {
    for (int column = field.first; column <= field.last; ++column) used.set(column);
  }
  return used;
}

namespace detail {
inline constexpr auto kUsedColumns = [] {
  std::array<ColumnMask, kKinds.size()> masks{};
  for (const KindDescription& kind : kKinds) masks[static_cast<std::size_t>(kind.kind)] = used_columns(kind.kind);
  return masks;
}();
}  // namespace detail

// The same, worked out by the compiler for every kind.
constexpr const ColumnMask& used_columns_of(CardKind kind) {
  return detail::kUsedColumns[static_cast<std::size_t>(kind)];
}

// A run of columns, first to last.
struct ColumnRun {
  int first = 0;
  int last = 0;
};

// The runs of columns that a kind does not use, in column order.
struct ColumnRuns {
  std::array<ColumnRun, 8> runs{};
  std::size_t count = 0;
  constexpr const ColumnRun* begin() const { return runs.data(); }
  constexpr const ColumnRun* end() const { return runs.data() + count; }
};

constexpr ColumnRuns unused_runs(CardKind kind) {
  const ColumnMask used = used_columns(kind);
  ColumnRuns unused;
  for (int column = 1; column <= kCardColumns; ++column) {
    if (used.test(column)) continue;
    if (unused.count > 0 && unused.runs[unused.count - 1].last == column - 1) {
      unused.runs[unused.count - 1].last = column;
    } else {
      unused.runs.at(unused.count++) = {column, column};
    }
  }
  return unused;
}

namespace detail {
inline constexpr auto kUnusedRuns = [] {
  std::array<ColumnRuns, kKinds.size()> runs{};
  for (const KindDescription& kind : kKinds) runs[static_cast<std::size_t>(kind.kind)] = unused_runs(kind.kind);
  return runs;
}();
}  // namespace detail

// The same, worked out by the compiler for every kind.
constexpr const ColumnRuns& unused_runs_of(CardKind kind) {
  return detail::kUnusedRuns[static_cast<std::size_t>(kind)];
}

}  // namespace barlist::cards
