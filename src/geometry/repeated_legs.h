// Bar types 42, 43 and 44: N1 repeated legs whose overall dimension F must close exactly.
#pragma once

#include "geometry/bar_shape.h"
#include "geometry/developed_length.h"

namespace barlist::geometry {

DevelopedLength repeated_legs_42(const BarShape& bar);  // sloped legs, two tails T1, T2
DevelopedLength repeated_legs_43(const BarShape& bar);  // legs sloped by E, two tails
DevelopedLength repeated_legs_44(const BarShape& bar);  // sloped legs, one tail T1

}  // namespace barlist::geometry
