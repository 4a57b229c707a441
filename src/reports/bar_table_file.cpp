#include "reports/bar_table_file.h"

#include <array>

#include "cards/descriptions.h"
#include "cards/zero_fill.h"
#include "records/decode.h"
#include "reports/error_lines.h"

namespace barlist::reports {
namespace {

using cards::CardField;
using cards::kBarFields;
using records::Layout;
using records::Value;

constexpr Layout kBarLine{"(22X,A2,A3,A6,2X,A4,2X,A2,2X,A1,2X,A1,1X,A6,7(1X,A6),2X,A3,2X,A3)"};
constexpr Layout kUnitLine{"(4A4,1X,A2,29X,14A4,A1)"};
// A comment card's text, columns 2 to the card's last: "(A79)".
constexpr auto kCommentNotation = [] {
  detail::Notation notation;
  notation.add("(A");
  notation.add(cards::kCardColumns - 1);
  notation.add(")");
  return notation;
}();
constexpr Layout kCommentLine{kCommentNotation.view()};
constexpr Layout kBlankLine{"(A1)"};
constexpr Layout kLength{"(I6)"};

// Card columns `first` to `last` (1-based).
std::string_view columns(std::string_view card, int first, int last) {
  return card.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(last - first + 1));
}

// The bar card fields a bar line shows, asked once by the compiler.
constexpr CardField field(std::string_view name) { return kBarFields.named(name); }
constexpr CardField kSize = field("size"), kMark = field("mark"), kCount = field("count"), kType = field("bar type");
constexpr CardField kHookA = field("hook style at A"), kHookG = field("hook style at G");
constexpr CardField kT1 = field("length T1"), kT2 = field("length T2"), kN1 = field("count N1");
constexpr CardField kAngle = field("angle");
constexpr std::array<CardField, 6> kDimensions{field("dimension A"), field("dimension B"), field("dimension C"),
                                               field("dimension D"), field("dimension E"), field("dimension F")};

}  // namespace

void BarTableFile::card_listed(const events::CardListed& card) {
  switch (card.kind) {
    case cards::CardKind::Bar:
    case cards::CardKind::StoreBar:
    case cards::CardKind::RecallBar:
      bar_line(card.card, card.length_mm);
      return;
    case cards::CardKind::VaryBar:
      vary_bar_line(card.card);
      return;
    case cards::CardKind::Unit:
      unit_line(card.card);
      return;
    case cards::CardKind::Comment:
      comment_line(card.card);
      return;
    case cards::CardKind::LineSkip:
      blank_lines(card.lines_to_skip);
      return;
    default:
      return;
  }
}

void BarTableFile::bar_line(std::string_view card, int length_mm) {
  std::array<char, 6> length{};
  encode_fields(length, kLength, Value(length_mm));
  write_bar_line(card, {length.data(), length.size()}, true);
}

void BarTableFile::vary_bar_line(std::string_view card) {
  static constexpr int kFirst = kBarFields.named("length in hundreds of mm").first;
  static constexpr int kLast = kBarFields.named("length in mm").last;
  write_bar_line(card, columns(card, kFirst, kLast), false);
}

void BarTableFile::write_bar_line(std::string_view card, std::string_view length, bool zero_fill) {
  std::array<char, 4> count{};
  std::array<std::array<char, 6>, 6> dimensions{};
  const std::string_view punched_count = kCount.text(card);
  for (std::size_t i = 0; i < 4; ++i) count[i] = punched_count[i];
  for (std::size_t d = 0; d < 6; ++d) {
    const std::string_view punched = kDimensions[d].text(card);
    for (std::size_t i = 0; i < 6; ++i) dimensions[d][i] = punched[i];
  }
  if (zero_fill) {
    count = cards::zero_filled<4>(punched_count);
    for (std::size_t d = 0; d < 6; ++d) dimensions[d] = cards::zero_filled<6>(kDimensions[d].text(card));
  }
  channel_.write<kBarLine>(kSize.text(card), kMark.text(card), length, count, kType.text(card), kHookA.text(card),
                           kHookG.text(card), dimensions[0], dimensions[1], dimensions[2], dimensions[3], dimensions[4],
                           dimensions[5], kT1.text(card), kT2.text(card), kN1.text(card), kAngle.text(card));
}

void BarTableFile::unit_line(std::string_view card) {
  // The name, the number of units, and the columns after the price as punched.
  static constexpr cards::CardField kName = cards::kUnitFields.named("unit name");
  static constexpr cards::CardField kUnits = cards::kUnitFields.named("number of units");
  static constexpr int kAfterPrice = cards::kUnitFields.named("price").last + 1;
  channel_.write<kUnitLine>(Value::cells(kName.text(card), 4), kUnits.text(card),
                            Value::cells(columns(card, kAfterPrice, cards::kCardColumns), 4));
}

void BarTableFile::comment_line(std::string_view card) {
  channel_.write<kCommentLine>(columns(card, 2, cards::kCardColumns));
}

void BarTableFile::blank_lines(int count) {
  if (count == 0) count = 1;
  for (int i = 0; i < count; ++i) channel_.write<kBlankLine>();
}

}  // namespace barlist::reports
