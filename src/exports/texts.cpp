#include "exports/texts.h"

#include <string>

namespace barlist::exports {

std::string without_trailing_blanks(std::string_view field) {
  const auto last = field.find_last_not_of(' ');
  return std::string(field.substr(0, last == std::string_view::npos ? 0 : last + 1));
}

std::string_view card_name(cards::CardKind kind) { return cards::describe(kind).key; }

}  // namespace barlist::exports
