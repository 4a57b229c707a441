// How a bar is named to a person: its size and mark as an error line shows
// them (size in three columns, then the mark), without the blanks around.
#pragma once

#include <string>
#include <string_view>

#include "records/text.h"

namespace barlist::events {

// False while no bar-level card has given a size or a mark.
inline bool bar_given(int size, std::string_view mark) { return size != 0 || !records::trim_blanks(mark).empty(); }

// "29F03"; "29 03" for a mark punched " 03"; a size wider than three digits
// shows "***"; "0" when no bar was given.
inline std::string bar_label(int size, std::string_view mark) {
  std::string digits = std::to_string(size);
  if (digits.size() > 3) digits = "***";
  return records::trimmed(std::string(3 - digits.size(), ' ') + digits + std::string(mark));
}

}  // namespace barlist::events
