#include "reports/bar_table_file.h"

#include <array>

#include "records/decode.h"
#include "reports/zero_fill.h"

namespace barlist::reports {
namespace {

using records::Layout;
using records::Value;

constexpr Layout kBarLine{"(22X,A2,A3,A6,2X,A4,2X,A2,2X,A1,2X,A1,1X,A6,7(1X,A6),2X,A3,2X,A3)"};
constexpr Layout kUnitLine{"(4A4,1X,A2,29X,14A4,A1)"};
constexpr Layout kCommentLine{"(A79)"};
constexpr Layout kBlankLine{"(A1)"};
constexpr Layout kLength{"(I6)"};

// Card columns `first` to `last` (1-based).
std::string_view columns(std::string_view card, std::size_t first, std::size_t last) {
  return card.substr(first - 1, last - first + 1);
}

}  // namespace

void BarTableFile::bar_line(std::string_view card, int BARFT, int BARIN) {
  std::array<char, 6> length{};
  encode_fields(length, kLength, Value(100 * BARFT + BARIN));
  write_bar_line(card, {length.data(), length.size()}, true);
}

void BarTableFile::vary_bar_line(std::string_view card) { write_bar_line(card, columns(card, 7, 12), false); }

void BarTableFile::write_bar_line(std::string_view card, std::string_view length, bool zero_fill) {
  std::array<char, 4> count{};
  std::array<std::array<char, 6>, 6> dimensions{};
  const std::string_view punched_count = columns(card, 13, 16);
  for (std::size_t i = 0; i < 4; ++i) count[i] = punched_count[i];
  for (std::size_t d = 0; d < 6; ++d) {
    const std::string_view punched = columns(card, 27 + 6 * d, 32 + 6 * d);
    for (std::size_t i = 0; i < 6; ++i) dimensions[d][i] = punched[i];
  }
  if (zero_fill) {
    count = zero_filled<4>(punched_count);
    for (std::size_t d = 0; d < 6; ++d) dimensions[d] = zero_filled<6>(columns(card, 27 + 6 * d, 32 + 6 * d));
  }
  channel_.write<kBarLine>(columns(card, 2, 3), columns(card, 4, 6), length, count, columns(card, 23, 24),
                           columns(card, 25, 25), columns(card, 26, 26), dimensions[0], dimensions[1], dimensions[2],
                           dimensions[3], dimensions[4], dimensions[5], columns(card, 63, 68), columns(card, 69, 74),
                           columns(card, 75, 77), columns(card, 78, 80));
}

void BarTableFile::unit_line(std::string_view card) {
  channel_.write<kUnitLine>(Value::cells(columns(card, 2, 17), 4), columns(card, 18, 19),
                            Value::cells(columns(card, 24, 80), 4));
}

void BarTableFile::comment_line(std::string_view card) { channel_.write<kCommentLine>(columns(card, 2, 80)); }

void BarTableFile::blank_lines(int count) {
  if (count == 0) count = 1;
  for (int i = 0; i < count; ++i) channel_.write<kBlankLine>();
}

}  // namespace barlist::reports
