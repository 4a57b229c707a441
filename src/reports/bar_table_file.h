// The records of the bar-table file, written as pass 2 tells of each card it
// lists: one line per bar, unit and comment card of a problem without
// errors, blank lines for line-skip cards.
#pragma once

#include <string_view>

#include "events/run_listener.h"
#include "records/output_channel.h"

namespace barlist::reports {

class BarTableFile final : public events::RunListener {
 public:
  explicit BarTableFile(records::OutputChannel& channel) : channel_(channel) {}

  void card_listed(const events::CardListed& card) override;

 private:
  // A bar, store bar or recall bar card, with its length from the bar-length table.
  void bar_line(std::string_view card, int length_mm);
  // A vary bar card: every field as punched, its length columns included.
  void vary_bar_line(std::string_view card);
  void unit_line(std::string_view card);
  void comment_line(std::string_view card);
  // A line-skip card's count: blank or 0 gives one line, a negative count none.
  void blank_lines(int count);
  void write_bar_line(std::string_view card, std::string_view length, bool zero_fill);

  records::OutputChannel& channel_;
};

}  // namespace barlist::reports
