#include "compare/comparison.h"

namespace barlist::compare {

const char* status_name(Status status) {
  switch (status) {
    case Status::Added:
      return "added";
    case Status::Removed:
      return "removed";
    case Status::Changed:
      return "changed";
    case Status::Same:
      break;
  }
  return "same";
}

const char* field_name(Field field) {
  switch (field) {
    case Field::Count:
      return "count";
    case Field::Type:
      return "type";
    case Field::Hooks:
      return "hooks";
    case Field::Dimensions:
      return "dimensions";
    case Field::Length:
      return "length";
    case Field::LumpWeight:
      break;
  }
  return "lump_weight";
}

const std::vector<Field>& fields_of(cards::CardKind kind) {
  // Bar and store bar cards give their shape; recall and vary bars their count
  // and length only; a lump weight its count and weight.
  static const std::vector<Field> shaped{Field::Count, Field::Type, Field::Hooks, Field::Dimensions, Field::Length};
  static const std::vector<Field> plain{Field::Count, Field::Length};
  static const std::vector<Field> lump{Field::Count, Field::LumpWeight};
  switch (kind) {
    case cards::CardKind::Bar:
    case cards::CardKind::StoreBar:
      return shaped;
    case cards::CardKind::LumpWeight:
      return lump;
    default:
      return plain;
  }
}

}  // namespace barlist::compare
