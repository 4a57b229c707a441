// What barlist reads at a column of a card: the card's kind, the field that
// holds the column, the field's columns (from the card layouts), the value
// the card's decoder reads from it, and the words the page shows for them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace barlist::web {

struct FieldSpan {
  std::string name;  // empty for columns that nothing reads or lists
  int first_column = 0;
  int last_column = 0;
  bool listed = false;  // not read, but listed in the bar table as punched
  std::string says;     // "count, columns 13-16", "columns 17-22"
  std::string note;     // for columns not read: "not read", "not read; listed in the bar table as punched"
};

struct FieldAtColumn {
  std::string card_kind;  // "bar card", "unit card"...; "unknown card" for any other column 1
  FieldSpan field;
  // The value as read: text as punched, numbers in their shortest form;
  // nothing where no field reads or the field does not convert.
  std::optional<std::string> value;
  // "read as 4600", "read as “PIER CAP  ”", "does not read as a number", or
  // the field's note.
  std::string reading;
};

// The fields of the kind of card whose column 1 is `column1`, in column
// order, with the runs of columns between them (column 1 included).
const std::vector<FieldSpan>& card_fields(char column1);

// The field at `column` (from 1) of the deck line `line`. Past column 80
// there is no field.
FieldAtColumn field_at(std::string_view line, int column);

}  // namespace barlist::web
