// The one walk of a layout that output and input share: its first pass, then,
// while values (or targets) are left, a new record and the pass after the
// restart, again and again. What a step does is the visitor's:
//
//   void literal(const Step&)   fixed text (nothing on input)
//   bool fields(const Step&)    the step's fields; false ends the walk (nothing left, or a field failed)
//   bool next_record()          a slash, or a restart; false ends the walk
//   void leave_line_open()      $
//   bool more() const           values or targets left at the end of a pass
//
// The compiler runs it too, to plan checked writes and reads
// (records/write_plan.h, records/read_plan.h).
#pragma once

#include <span>

#include "records/layout.h"

namespace barlist::records {

// Inlined into each caller, so the visitor's state can stay in registers.
template <typename Visitor>
[[gnu::always_inline]] inline constexpr void walk(const Layout& layout, Visitor& visitor) {
  for (std::span<const Step> pass = layout.first_pass();; pass = layout.pass_after_restart()) {
    for (const Step& step : pass) {
      switch (step.kind) {
        case ItemKind::Literal:
          visitor.literal(step);
          break;
        case ItemKind::Slash:
          if (!visitor.next_record()) return;
          break;
        case ItemKind::Dollar:
          visitor.leave_line_open();
          break;
        default:
          if (!visitor.fields(step)) return;
          break;
      }
    }
    // A pass after a restart always holds a data item, so every pass takes a
    // value or target or ends the walk.
    if (layout.pass_after_restart().empty() || !visitor.more() || !visitor.next_record()) return;
  }
}

}  // namespace barlist::records
