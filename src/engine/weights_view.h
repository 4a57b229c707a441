// A run's weights as a person reads them beside the reports: each problem's
// bars by size, its lump weights and what the units' rounding to whole
// kilograms added, summing to the grand total the quantities file prints;
// and a card's length and weight as a hint. Every figure is a text in the
// units and precision of the reports, worked out here in single precision.
#pragma once

#include <string>
#include <vector>

#include "exports/run_record.h"

namespace barlist::engine {

struct SizeWeights {
  std::string size;       // "16"
  std::string bars;       // count x like units
  std::string length_mm;  // length x count x like units
  std::string weight_kg;  // whole kilograms
};

struct ProblemWeights {
  std::string number;
  std::string title;
  std::vector<SizeWeights> sizes;
  std::string bars_kg;   // the sizes' weights as shown, summed
  std::string lumps_kg;  // empty when the problem's units hold no lump weight
  // With a grand total printed: the grand total less the rows above (what
  // rounding each unit to whole kilograms added), and the grand total and
  // its cost as the quantities file prints them. Empty without one.
  std::string rounding_kg;
  std::string total_kg;
  std::string cost;
};

std::vector<ProblemWeights> weights_view(const exports::RunRecord& run);

// "4600 mm": a card's length as the quantities file prints a length.
std::string length_text(float length_mm);
// "640.1 kg", "0.19 kg": to the tenth of a kilogram, the hundredth below 10 kg.
std::string weight_text(float weight_kg);

}  // namespace barlist::engine
