// How a message names columns and fields, written once: "column 7",
// "columns 13-16", "punch the count right-justified in columns 13-16".
#pragma once

#include <string>
#include <string_view>

#include "cards/card_fields.h"

namespace barlist::cards {

// "7" or "13-16".
inline std::string column_span(int first, int last) {
  return first == last ? std::to_string(first) : std::to_string(first) + "-" + std::to_string(last);
}

// "column 7" or "columns 13-16".
inline std::string columns(int first, int last) {
  return (first == last ? "column " : "columns ") + column_span(first, last);
}
inline std::string columns(const CardField& field) { return columns(field.first, field.last); }

// "7 to 12", and "columns 7 to 12", for a run of columns said as a stretch
// of the card.
inline std::string column_range(int first, int last) { return std::to_string(first) + " to " + std::to_string(last); }
inline std::string columns_to(int first, int last) { return "columns " + column_range(first, last); }

// "punch the count right-justified in columns 13-16"; `what` says the value
// in other words where the field's name is not enough.
inline std::string punch_right(const CardField& field, std::string_view what) {
  return "punch " + std::string(what) + " right-justified in " + columns(field);
}

// The note for a value out of its field: a number right-justified, text
// within its columns.
inline std::string punch_note(const CardField& field) {
  if (!field.numeric) return "keep the " + std::string(field.name) + " within " + columns(field);
  return punch_right(field, "the " + std::string(field.name));
}

}  // namespace barlist::cards
