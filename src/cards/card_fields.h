// The fields of each card kind with their plain names and columns, worked
// out by the compiler from the card layouts: what a diagnostic, a warning,
// the screen of a bar card and the bar table ask when they need a column.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <stdexcept>
#include <string_view>

#include "cards/card_layouts.h"
#include "events/card_kind.h"
#include "geometry/bar_shape.h"

namespace barlist::cards {

inline constexpr int kCardColumns = 80;

struct CardField {
  std::string_view name;  // as a detailer says it: "count", "dimension A"
  int first;              // 1-based, inclusive
  int last;
  bool numeric = false;  // an integer or a real, not text
  int decimals = 0;      // a real's implied decimals

  // A number read as a whole number when it holds no decimal point.
  constexpr bool whole_number() const { return numeric && decimals == 0; }
  constexpr int width() const { return last - first + 1; }
  constexpr bool holds(int column) const { return column >= first && column <= last; }
  // The field's columns of an 80-column card image.
  constexpr std::string_view text(std::string_view card) const {
    return card.substr(static_cast<std::size_t>(first - 1), static_cast<std::size_t>(width()));
  }
};

// The fields of one card kind, in column order.
class CardFields {
 public:
  constexpr explicit CardFields(std::span<const CardField> fields) : fields_(fields) {}

  constexpr auto begin() const { return fields_.begin(); }
  constexpr auto end() const { return fields_.end(); }
  constexpr std::size_t size() const { return fields_.size(); }

  // The field of that name; a name the kind does not have is the program's
  // own fault (and a compile error where asked by the compiler).
  constexpr const CardField& named(std::string_view name) const {
    for (const CardField& field : fields_) {
      if (field.name == name) return field;
    }
    throw std::logic_error("a card field asked for by a name its card does not have");
  }

  // The field that reads `column`, or null when the card does not read it.
  constexpr const CardField* at_column(int column) const {
    for (const CardField& field : fields_) {
      if (field.holds(column)) return &field;
    }
    return nullptr;
  }

 private:
  std::span<const CardField> fields_;
};

// Names a layout's fields in turn, each at the columns the layout reads it
// from (skips take columns; the layout places every field).
template <std::size_t N>
consteval std::array<CardField, N> fields_of(const records::Layout& layout,
                                             const std::array<std::string_view, N>& names) {
  std::array<CardField, N> fields{};
  std::size_t next = 0;
  for (const records::Item& item : layout.items()) {
    if (!records::Layout::is_field(item.kind)) throw std::logic_error("a card layout holds only fields and skips");
    for (int r = 0; r < item.repeat; ++r) {
      if (next == N) throw std::logic_error("a card layout with more fields than names");
      const int first = item.input_column + r * item.width + 1;
      fields[next] = {names[next], first, first + item.width - 1, item.kind != records::ItemKind::Text, item.decimals};
      ++next;
    }
  }
  if (next != N) throw std::logic_error("a card layout with fewer fields than names");
  return fields;
}

namespace detail {
inline constexpr auto kIdentification = fields_of(kIdentificationCard, kIdentificationNames);
inline constexpr auto kUnit = fields_of(kUnitCard, kUnitNames);
inline constexpr auto kBar = fields_of(kBarCard, kBarNames);
inline constexpr auto kRecall = fields_of(kRecallCard, kRecallNames);
inline constexpr auto kVaryBar = fields_of(kVaryBarCard, kVaryBarNames);
inline constexpr auto kLumpWeight = fields_of(kLumpWeightCard, kLumpWeightNames);
inline constexpr auto kSubtotal = fields_of(kSubtotalCard, kSubtotalNames);
inline constexpr auto kLineSkip = fields_of(kLineSkipCard, kLineSkipNames);
}  // namespace detail

inline constexpr CardFields kIdentificationFields{detail::kIdentification};
inline constexpr CardFields kUnitFields{detail::kUnit};
inline constexpr CardFields kBarFields{detail::kBar};
inline constexpr CardFields kRecallFields{detail::kRecall};
inline constexpr CardFields kVaryBarFields{detail::kVaryBar};
inline constexpr CardFields kLumpWeightFields{detail::kLumpWeight};
inline constexpr CardFields kSubtotalFields{detail::kSubtotal};
inline constexpr CardFields kLineSkipFields{detail::kLineSkip};

// The fields a card of that kind reads; none for comments, end cards and
// cards of no kind. A store bar card reads as a bar card.
constexpr CardFields fields_of(events::CardKind kind) {
  using events::CardKind;
  switch (kind) {
    case CardKind::Identification:
      return kIdentificationFields;
    case CardKind::Unit:
      return kUnitFields;
    case CardKind::Bar:
    case CardKind::StoreBar:
      return kBarFields;
    case CardKind::RecallBar:
      return kRecallFields;
    case CardKind::VaryBar:
      return kVaryBarFields;
    case CardKind::LumpWeight:
      return kLumpWeightFields;
    case CardKind::Subtotal:
      return kSubtotalFields;
    case CardKind::LineSkip:
      return kLineSkipFields;
    case CardKind::Comment:
    case CardKind::End:
    case CardKind::Unknown:
      break;
  }
  return CardFields({});
}

// The bar card field a failed length check names; null when no one field is
// at fault.
constexpr const CardField* bar_field(geometry::ShapeField field) {
  using geometry::ShapeField;
  switch (field) {
    case ShapeField::none:
      return nullptr;
    case ShapeField::size:
      return &kBarFields.named("size");
    case ShapeField::type:
      return &kBarFields.named("bar type");
    case ShapeField::hook_a:
      return &kBarFields.named("hook style at A");
    case ShapeField::hook_g:
      return &kBarFields.named("hook style at G");
    case ShapeField::B:
      return &kBarFields.named("dimension B");
    case ShapeField::C:
      return &kBarFields.named("dimension C");
    case ShapeField::F:
      return &kBarFields.named("dimension F");
    case ShapeField::N1:
      return &kBarFields.named("count N1");
    case ShapeField::angle:
      return &kBarFields.named("angle");
  }
  return nullptr;
}

static_assert([] {
  using geometry::ShapeField;
  for (const ShapeField field : {ShapeField::size, ShapeField::type, ShapeField::hook_a, ShapeField::hook_g,
                                 ShapeField::B, ShapeField::C, ShapeField::F, ShapeField::N1, ShapeField::angle}) {
    bar_field(field);
  }
  return true;
}());

}  // namespace barlist::cards
