#include "geometry/bar_sizes.h"

#include <array>

namespace barlist::geometry {
namespace {

struct SizeRow {
  int size;
  float kg_per_mm;
  std::array<float, 6> hook_mm;  // styles 1 to 6
};

// Nominal masses of the metric reinforcing bars; hook allowances by style.
constexpr std::array<SizeRow, 11> kSizes{{
    {10, 0.000560f, {125, 0, 150, 105, 110, 0}},
    {13, 0.000994f, {150, 0, 200, 115, 115, 0}},
    {16, 0.001552f, {175, 0, 250, 155, 140, 0}},
    {19, 0.002235f, {200, 0, 300, 305, 205, 0}},
    {22, 0.003042f, {250, 0, 375, 355, 230, 0}},
    {25, 0.003973f, {275, 0, 425, 410, 270, 0}},
    {29, 0.005060f, {375, 0, 475, 0, 0, 0}},
    {32, 0.006404f, {425, 0, 550, 0, 0, 0}},
    {36, 0.007907f, {475, 0, 600, 0, 0, 0}},
    {43, 0.011380f, {675, 0, 775, 0, 0, 0}},
    {57, 0.020240f, {925, 0, 1050, 0, 0, 0}},
}};

const SizeRow* find_size(int IBS) {
  for (const SizeRow& row : kSizes) {
    if (row.size == IBS) return &row;
  }
  return nullptr;
}

}  // namespace

bool is_bar_size(int IBS) { return find_size(IBS) != nullptr; }

float BWTFT(int IBS) {
  const SizeRow* row = find_size(IBS);
  return row ? row->kg_per_mm : 0.0f;
}

float HKTAB(int IBS, int style) {
  const SizeRow* row = find_size(IBS);
  if (row == nullptr || style < 1 || style > 6) return 0.0f;
  return row->hook_mm[static_cast<std::size_t>(style - 1)];
}

}  // namespace barlist::geometry
