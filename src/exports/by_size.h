// A problem's bars summed by size: how many bars of each size its units hold,
// their length and their weight, every card counted once per like unit.
#pragma once

#include <vector>

#include "exports/run_record.h"

namespace barlist::exports {

struct SizeTotal {
  int size;
  float bars;       // count x like units
  float length_mm;  // length x count x like units
  float weight_kg;  // item weight x like units
};

// Sorted by size; lump weights and cards of no closed unit are left out.
// Summed in double and given to single precision, so a large problem's sums
// carry no rounding of their own.
std::vector<SizeTotal> by_size(const Problem& problem);

}  // namespace barlist::exports
