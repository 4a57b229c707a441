// What each kind of card holds once decoded: the values its fields are read
// into, under the names the engine's formulas use.
#pragma once

#include <array>
#include <cstdint>

#include "geometry/bar_shape.h"

namespace barlist::cards {

struct IdentificationCard {
  std::array<char, 3> program_code{};
  std::array<char, 4> problem_number{};
  float price = 0;
  std::array<char, 68> title{};
};

struct UnitCard {
  std::array<char, 16> name{};
  float NOUNIT = 0;
  float UPRICE = 0;
};

// The fields of a bar-level card that error lines show: its size and mark.
struct BarLabel {
  std::int32_t IBS = 0;
  std::array<char, 3> IBM{' ', ' ', ' '};
};

struct BarCard {
  BarLabel label;
  float ANOB = 0;
  geometry::BarShape shape;
};

struct RecallCard {
  BarLabel label;
  float ANOB = 0;
};

struct VaryBarCard {
  BarLabel label;
  float ANOB = 0;
  float BARL = 0;
};

struct LumpWeightCard {
  float ANOB = 0;
  float lump_weight = 0;
};

struct SubtotalCard {
  std::array<char, 16> name{};
};

struct LineSkipCard {
  std::int32_t count = 0;
};

}  // namespace barlist::cards
