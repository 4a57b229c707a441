// Where on a bar card the field at fault stands, so a diagnostic can point
// at it: the first column of the field a failed check concerns.
#pragma once

#include "deck/card_columns.h"
#include "geometry/bar_shape.h"

namespace barlist::deck {

// The column for an error 5 to 13 found on a bar or store bar card's shape;
// 1 when no single field is at fault (a length too long to store).
int bar_error_column(int error, const geometry::BarShape& shape);

}  // namespace barlist::deck
