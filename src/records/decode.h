// Applying layouts to text held in memory: decoding a card image into its
// fields, and encoding one value into a text cell.
#pragma once

#include <initializer_list>
#include <span>
#include <string_view>

#include "records/fields.h"
#include "records/layout.h"
#include "records/values.h"

namespace barlist::records {

// Where the records after the first come from when a layout goes on to the
// next record (a / or a restart with targets left).
class RecordSource {
 public:
  virtual std::string_view following_record() = 0;

 protected:
  ~RecordSource() = default;
};

// Reads the fields of `record` into `targets` with the input rules: columns
// past the end of a record read as blanks. Returns the first conversion
// failure, if any; the targets before it are filled.
ReadStatus decode_fields(std::string_view record, const Layout& layout, std::span<const Target> targets,
                         RecordSource& more);
// The same for text held in memory: the records after it are blank.
ReadStatus decode_fields(std::string_view record, const Layout& layout, std::span<const Target> targets);
inline ReadStatus decode_fields(std::string_view record, const Layout& layout, std::initializer_list<Target> targets) {
  return decode_fields(record, layout, std::span<const Target>(targets.begin(), targets.size()));
}

// Writes `value` into `cell` with an output layout; the cell receives the
// first record, cut or blank-padded to its length.
void encode_fields(std::span<char> cell, const Layout& layout, const Value& value);

}  // namespace barlist::records
