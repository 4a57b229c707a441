#include "exports/by_size.h"

#include <map>

namespace barlist::exports {

std::vector<SizeTotal> by_size(const Problem& problem) {
  struct Sums {
    double bars = 0, length = 0, weight = 0;
  };
  std::map<int, Sums> sums;
  for (const Unit& unit : problem.units) {
    const double NOUNIT = unit.figures.NOUNIT;
    for (const Item& item : unit.items) {
      if (item.kind == events::CardKind::LumpWeight) continue;
      Sums& size = sums[item.IBS];
      size.bars += static_cast<double>(item.ANOB) * NOUNIT;
      size.length += static_cast<double>(item.length) * item.ANOB * NOUNIT;
      size.weight += static_cast<double>(item.weight) * NOUNIT;
    }
  }
  std::vector<SizeTotal> totals;
  for (const auto& [IBS, size] : sums) {
    totals.push_back(
        {IBS, static_cast<float>(size.bars), static_cast<float>(size.length), static_cast<float>(size.weight)});
  }
  return totals;
}

}  // namespace barlist::exports
