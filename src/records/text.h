// Text as punched in fixed-width cells: blank padded, the blanks no part of
// what a person reads.
#pragma once

#include <string>
#include <string_view>

namespace barlist::records {

// A name or field without its leading and trailing blanks.
inline std::string_view trim_blanks(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

inline std::string trimmed(std::string_view text) { return std::string(trim_blanks(text)); }

}  // namespace barlist::records
