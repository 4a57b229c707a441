#include "engine/weights_view.h"

#include <fmt/compile.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "exports/by_size.h"
#include "records/decode.h"
#include "weights/totals.h"

namespace barlist::engine {
namespace {

// The widths of the quantities file's weights and costs; a figure too wide
// for them prints as asterisks there, and here.
constexpr records::Layout kWeight{"(I9)"};
constexpr records::Layout kCost{"(F10.2)"};
constexpr records::Layout kFigure{"(I12)"};

std::string encoded(const records::Layout& layout, const records::Value& value) {
  std::array<char, 12> cell{};
  records::encode_fields(cell, layout, value);
  std::string_view text(cell.data(), cell.size());
  text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
  return std::string(text.substr(0, text.find_last_not_of(' ') + 1));
}

// The nearest whole number, in single precision as the reports round.
std::int64_t nearest(float value) {
  return value < 0 ? -weights::shown(-value, weights::kNearest) : weights::shown(value, weights::kNearest);
}

// A whole number that the reports' widest weight holds; beyond it a sum is
// not worked out and prints as asterisks.
bool fits(std::int64_t value) { return std::llabs(value) < 1000000000LL; }
constexpr std::int64_t kTooLarge = INT64_MAX;

std::int64_t plus(std::int64_t sum, std::int64_t value) { return fits(sum) && fits(value) ? sum + value : kTooLarge; }

}  // namespace

std::vector<ProblemWeights> weights_view(const exports::RunRecord& run) {
  std::vector<ProblemWeights> view;
  for (const exports::Problem& problem : run.problems) {
    ProblemWeights& shown = view.emplace_back();
    shown.number = problem.number;
    shown.title = problem.title;
    std::int64_t bars = 0;
    for (const exports::SizeTotal& size : exports::by_size(problem)) {
      const std::int64_t weight = nearest(size.weight_kg);
      bars = plus(bars, weight);
      shown.sizes.push_back({std::to_string(size.size), encoded(kFigure, nearest(size.bars)),
                             encoded(kFigure, nearest(size.length_mm)), encoded(kFigure, weight)});
    }
    double lump_sum = 0;
    bool lumps_found = false;
    for (const exports::Unit& unit : problem.units) {
      for (const exports::Item& item : unit.items) {
        if (item.kind != cards::CardKind::LumpWeight) continue;
        lumps_found = true;
        lump_sum += static_cast<double>(item.weight_kg) * unit.figures.unit_count;
      }
    }
    const std::int64_t lumps = nearest(static_cast<float>(lump_sum));
    shown.bars_kg = encoded(kFigure, bars);
    if (lumps_found) shown.lumps_kg = encoded(kFigure, lumps);
    if (!problem.total) continue;
    const std::int64_t total = weights::whole(problem.total->weight_kg);
    shown.total_kg = encoded(kWeight, total);
    shown.cost = encoded(kCost, problem.total->cost);
    if (fits(total) && fits(plus(bars, lumps))) shown.rounding_kg = encoded(kFigure, total - bars - lumps);
  }
  return view;
}

std::string length_text(float length_mm) {
  return encoded(kFigure, weights::shown(length_mm, weights::kShownLength)) + " mm";
}

std::string weight_text(float weight_kg) {
  if (!std::isfinite(weight_kg)) return "*** kg";
  // {fmt} rounds as printf does, without printf's long double (emulated, and slow, in WebAssembly).
  const auto weight = static_cast<double>(weight_kg);
  return std::fabs(weight_kg) < 10 ? fmt::format(FMT_COMPILE("{:.2f} kg"), weight)
                                   : fmt::format(FMT_COMPILE("{:.1f} kg"), weight);
}

}  // namespace barlist::engine
