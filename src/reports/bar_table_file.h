// The records of the bar-table file: one line per bar, unit and comment card
// of a problem without errors, blank lines for line-skip cards.
#pragma once

#include <string_view>

#include "records/output_channel.h"

namespace barlist::reports {

class BarTableFile {
 public:
  explicit BarTableFile(records::OutputChannel& channel) : channel_(channel) {}

  // A bar, store bar or recall bar card, with its length from the bar-length table.
  void bar_line(std::string_view card, int BARFT, int BARIN);
  // A vary bar card: every field as punched, its length columns included.
  void vary_bar_line(std::string_view card);
  void unit_line(std::string_view card);
  void comment_line(std::string_view card);
  // A line-skip card's count: blank or 0 gives one line, a negative count none.
  void blank_lines(int count);

 private:
  void write_bar_line(std::string_view card, std::string_view length, bool zero_fill);

  records::OutputChannel& channel_;
};

}  // namespace barlist::reports
