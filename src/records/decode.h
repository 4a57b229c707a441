// Applying an output layout to a text cell held in memory.
#pragma once

#include <span>

#include "records/layout.h"
#include "records/values.h"

namespace barlist::records {

// Writes `value` into `cell` with an output layout; the cell receives the
// first record, cut or blank-padded to its length.
void encode_fields(std::span<char> cell, const Layout& layout, const Value& value);

}  // namespace barlist::records
