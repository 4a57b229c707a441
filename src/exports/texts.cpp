#include "exports/texts.h"

#include <string>

namespace barlist::exports {

std::string trimmed(std::string_view field) {
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

std::string bar_label(int IBS, std::string_view IBM) {
  std::string size = std::to_string(IBS);
  if (size.size() > 3) size = "***";
  const std::string label = std::string(3 - size.size(), ' ') + size + std::string(IBM);
  const auto first = label.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : trimmed(std::string_view(label).substr(first));
}

}  // namespace barlist::exports
