// What barlist reads at a column of a card: the card's kind, the field that
// holds the column, the field's columns (from the card layouts) and the
// value the card's decoder reads from it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace barlist::web {

struct FieldSpan {
  std::string name;  // empty for columns that no field reads
  int first_column = 0;
  int last_column = 0;
};

struct FieldAtColumn {
  std::string card_kind;  // "bar card", "unit card"...; "unknown card" for any other column 1
  FieldSpan field;
  // The value as read: text as punched, numbers in their shortest form;
  // nothing where no field reads or the field does not convert.
  std::optional<std::string> value;
};

// The fields of the kind of card whose column 1 is `column1`, in column
// order, with the runs of unread columns between them (column 1 included).
const std::vector<FieldSpan>& card_fields(char column1);

// The field at `column` (from 1) of the deck line `line`. Past column 80
// there is no field.
FieldAtColumn field_at(std::string_view line, int column);

}  // namespace barlist::web
