#include "exports/texts.h"

#include <string>

namespace barlist::exports {

std::string without_trailing_blanks(std::string_view field) {
  const auto last = field.find_last_not_of(' ');
  return std::string(field.substr(0, last == std::string_view::npos ? 0 : last + 1));
}

std::string_view card_name(events::CardKind kind) {
  switch (kind) {
    case events::CardKind::Bar:
      return "bar";
    case events::CardKind::StoreBar:
      return "store";
    case events::CardKind::RecallBar:
      return "recall";
    case events::CardKind::VaryBar:
      return "vary";
    case events::CardKind::LumpWeight:
      return "lump";
    default:
      return "other";
  }
}

}  // namespace barlist::exports
