// One description per kind of card: its kind, its layout (written once, in
// the layout notation) and its fields, each with its names and bound to the
// value it is decoded into. The decoders, the column of a field, the columns
// a kind leaves unread and the page's and exports' field lists all walk them.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <utility>

#include "cards/card_fields.h"
#include "cards/card_kind.h"
#include "cards/decoded.h"
#include "geometry/bar_shape.h"
#include "records/input_channel.h"

namespace barlist::cards {

// A field as a description writes it: its names and where its value goes.
template <typename Decoded>
struct BoundField {
  std::string_view name;
  std::string_view key;
  records::Target (*target)(Decoded&);
};

template <typename Decoded, std::size_t N>
struct Description {
  using Card = Decoded;
  CardKind kind;
  const records::Layout& layout;
  std::array<CardField, N> field_list;
  std::array<records::Target (*)(Decoded&), N> targets;

  constexpr CardFields fields() const { return CardFields(field_list); }
};

template <typename Decoded, std::size_t N>
consteval Description<Decoded, N> describe(CardKind kind, const records::Layout& layout,
                                           const std::array<BoundField<Decoded>, N>& bound) {
  std::array<FieldName, N> names{};
  std::array<records::Target (*)(Decoded&), N> targets{};
  for (std::size_t i = 0; i < N; ++i) {
    names[i] = {bound[i].name, bound[i].key};
    targets[i] = bound[i].target;
  }
  return {kind, layout, fields_of(layout, names), targets};
}

inline constexpr records::Layout kIdentificationLayout{"(1X,A3,A4,F4.2,A68)"};
inline constexpr records::Layout kUnitLayout{"(1X,A16,F2.0,F4.2)"};
// Columns 17 to 22 of a bar card are not read.
inline constexpr records::Layout kBarLayout{"(1X,I2,A3,F4.0,F2.0,F4.0,6X,I2,2I1,8F6.0,2F3.0)"};
inline constexpr records::Layout kRecallLayout{"(1X,I2,A3,6X,F4.0)"};
inline constexpr records::Layout kVaryBarLayout{"(1X,I2,A3,6X,F4.0,F6.0)"};
inline constexpr records::Layout kLumpWeightLayout{"(12X,F4.0,F6.0)"};
inline constexpr records::Layout kSubtotalLayout{"(1X,A16)"};
inline constexpr records::Layout kLineSkipLayout{"(1X,I2)"};

using records::Target;

// The program code an identification card of this program holds.
inline constexpr std::string_view kProgramCode = "B06";

inline constexpr auto kIdentification = describe<IdentificationCard, 4>(
    CardKind::Identification, kIdentificationLayout,
    {{{"program code", "program_code", [](IdentificationCard& c) { return Target(c.program_code); }},
      {"problem number", "problem", [](IdentificationCard& c) { return Target(c.problem_number); }},
      {"price", "price", [](IdentificationCard& c) { return Target(c.price); }},
      {"title", "title", [](IdentificationCard& c) { return Target(c.title); }}}});

inline constexpr auto kUnit =
    describe<UnitCard, 3>(CardKind::Unit, kUnitLayout,
                          {{{"unit name", "name", [](UnitCard& c) { return Target(c.name); }},
                            {"number of units", "units", [](UnitCard& c) { return Target(c.NOUNIT); }},
                            {"price", "price", [](UnitCard& c) { return Target(c.UPRICE); }}}});

// Store bar cards read as bar cards.
inline constexpr auto kBar = describe<BarCard, 18>(
    CardKind::Bar, kBarLayout,
    {{{"size", "size", [](BarCard& c) { return Target(c.label.IBS); }},
      {"mark", "mark", [](BarCard& c) { return Target(c.label.IBM); }},
      {"length in hundreds of mm", "written_hundreds", [](BarCard& c) { return Target(c.shape.LFT); }},
      {"length in mm", "written_mm", [](BarCard& c) { return Target(c.shape.LIN); }},
      {"count", "count", [](BarCard& c) { return Target(c.ANOB); }},
      {"bar type", "type", [](BarCard& c) { return Target(c.shape.ITYPE); }},
      {"hook style at A", "hook_a", [](BarCard& c) { return Target(c.shape.IA); }},
      {"hook style at G", "hook_g", [](BarCard& c) { return Target(c.shape.IG); }},
      {"dimension A", "a", [](BarCard& c) { return Target(c.shape.A); }},
      {"dimension B", "b", [](BarCard& c) { return Target(c.shape.B); }},
      {"dimension C", "c", [](BarCard& c) { return Target(c.shape.C); }},
      {"dimension D", "d", [](BarCard& c) { return Target(c.shape.D); }},
      {"dimension E", "e", [](BarCard& c) { return Target(c.shape.E); }},
      {"dimension F", "f", [](BarCard& c) { return Target(c.shape.F); }},
      {"length T1", "t1", [](BarCard& c) { return Target(c.shape.T1); }},
      {"length T2", "t2", [](BarCard& c) { return Target(c.shape.T2); }},
      {"count N1", "n1", [](BarCard& c) { return Target(c.shape.N1); }},
      {"angle", "angle", [](BarCard& c) { return Target(c.shape.ANGLE); }}}});

inline constexpr auto kRecall =
    describe<RecallCard, 3>(CardKind::RecallBar, kRecallLayout,
                            {{{"size", "size", [](RecallCard& c) { return Target(c.label.IBS); }},
                              {"mark", "mark", [](RecallCard& c) { return Target(c.label.IBM); }},
                              {"count", "count", [](RecallCard& c) { return Target(c.ANOB); }}}});

inline constexpr auto kVaryBar =
    describe<VaryBarCard, 4>(CardKind::VaryBar, kVaryBarLayout,
                             {{{"size", "size", [](VaryBarCard& c) { return Target(c.label.IBS); }},
                               {"mark", "mark", [](VaryBarCard& c) { return Target(c.label.IBM); }},
                               {"count", "count", [](VaryBarCard& c) { return Target(c.ANOB); }},
                               {"average length", "length", [](VaryBarCard& c) { return Target(c.BARL); }}}});

inline constexpr auto kLumpWeight =
    describe<LumpWeightCard, 2>(CardKind::LumpWeight, kLumpWeightLayout,
                                {{{"count", "count", [](LumpWeightCard& c) { return Target(c.ANOB); }},
                                  {"lump weight", "weight", [](LumpWeightCard& c) { return Target(c.lump_weight); }}}});

inline constexpr auto kSubtotal = describe<SubtotalCard, 1>(
    CardKind::Subtotal, kSubtotalLayout, {{{"subtotal name", "name", [](SubtotalCard& c) { return Target(c.name); }}}});

inline constexpr auto kLineSkip =
    describe<LineSkipCard, 1>(CardKind::LineSkip, kLineSkipLayout,
                              {{{"lines to skip", "lines", [](LineSkipCard& c) { return Target(c.count); }}}});

inline constexpr CardFields kIdentificationFields = kIdentification.fields();
inline constexpr CardFields kUnitFields = kUnit.fields();
inline constexpr CardFields kBarFields = kBar.fields();
inline constexpr CardFields kRecallFields = kRecall.fields();
inline constexpr CardFields kVaryBarFields = kVaryBar.fields();
inline constexpr CardFields kLumpWeightFields = kLumpWeight.fields();
inline constexpr CardFields kSubtotalFields = kSubtotal.fields();
inline constexpr CardFields kLineSkipFields = kLineSkip.fields();

// The one card kind -> description switch: calls `visit` with the
// description of the kind, or returns `none` for kinds with no fields
// (comments, end cards, cards of no kind).
template <typename Result, typename Visitor>
constexpr Result with_description(CardKind kind, Visitor visit, Result none) {
  switch (kind) {
    case CardKind::Identification:
      return visit(kIdentification);
    case CardKind::Unit:
      return visit(kUnit);
    case CardKind::Bar:
    case CardKind::StoreBar:
      return visit(kBar);
    case CardKind::RecallBar:
      return visit(kRecall);
    case CardKind::VaryBar:
      return visit(kVaryBar);
    case CardKind::LumpWeight:
      return visit(kLumpWeight);
    case CardKind::Subtotal:
      return visit(kSubtotal);
    case CardKind::LineSkip:
      return visit(kLineSkip);
    case CardKind::Comment:
    case CardKind::End:
    case CardKind::Unknown:
      break;
  }
  return none;
}

// The fields a card of that kind reads; none for comments, end cards and
// cards of no kind.
constexpr CardFields fields_of(CardKind kind) {
  return with_description(
      kind, [](const auto& description) { return description.fields(); }, CardFields());
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

}  // namespace barlist::cards
