#include "exports/by_size.h"

#include <map>

namespace barlist::exports {

std::vector<SizeTotal> by_size(const Problem& problem) {
  struct Sums {
    double bars = 0, length = 0, weight = 0;
  };
  std::map<int, Sums> sums;
  for (const Unit& unit : problem.units) {
    const double units = unit.figures.unit_count;
    for (const Item& item : unit.items) {
      if (item.kind == cards::CardKind::LumpWeight) continue;
      Sums& size = sums[item.size];
      size.bars += static_cast<double>(item.count) * units;
      size.length += static_cast<double>(item.length_mm) * item.count * units;
      size.weight += static_cast<double>(item.weight_kg) * units;
    }
  }
  std::vector<SizeTotal> totals;
  for (const auto& [bar_size, size] : sums) {
    totals.push_back(
        {bar_size, static_cast<float>(size.bars), static_cast<float>(size.length), static_cast<float>(size.weight)});
  }
  return totals;
}

}  // namespace barlist::exports
