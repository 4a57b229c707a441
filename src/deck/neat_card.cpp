// The test of a neat card: the card's columns compared sixteen at a time
// with masks that the compiler works out from the card descriptions.
#include "deck/neat_card.h"

#include <array>
#include <cstring>
#include <utility>

#include "cards/descriptions.h"
#include "cards/used_columns.h"

namespace barlist::deck {
namespace {

using cards::CardField;
using cards::CardKind;
using cards::ColumnMask;
using cards::kBarFields;

// What a neat card of a kind looks like: the columns that must be blank; the
// columns inside a number (all but its first), where a blank must not follow
// a non-blank; and the columns next to a number of the kind's own fields that
// no field of the kind reads, marked where the later of the two stands, which
// must not both be non-blank (a number run on or begun outside its field).
struct NeatShape {
  ColumnMask blank;
  ColumnMask inside_numbers;
  ColumnMask touching;
};

constexpr void add_number(NeatShape& shape, int first, int last) {
  for (int column = first + 1; column <= last; ++column) shape.inside_numbers.set(column);
}

constexpr NeatShape neat_shape(CardKind kind) {
  NeatShape shape;
  for (const CardField& field : cards::fields_of(kind)) {
    if (field.numeric) add_number(shape, field.first, field.last);
  }
  // A bar card's written length is one number in two fields; the bar table
  // lists a vary bar card's columns of that length as punched, and the bar
  // card numbers after it from recall and vary bar cards.
  const CardField hundreds = kBarFields.named("length in hundreds of mm");
  const CardField millimetres = kBarFields.named("length in mm");
  if (kind == CardKind::Bar || kind == CardKind::StoreBar || kind == CardKind::VaryBar) {
    add_number(shape, hundreds.first, millimetres.last);
  }
  if (kind == CardKind::RecallBar || kind == CardKind::VaryBar) {
    for (const CardField& field : kBarFields) {
      if (field.numeric && field.first > millimetres.last) add_number(shape, field.first, field.last);
    }
  }
  const cards::CardFields fields = cards::fields_of(kind);
  for (const CardField& field : fields) {
    if (!field.numeric) continue;
    if (field.first > 2 && !fields.reads(field.first - 1)) shape.touching.set(field.first);
    if (field.last < cards::kCardColumns && !fields.reads(field.last + 1)) {
      shape.touching.set(field.last + 1);
    }
  }
  if (carries_quantities(kind)) {
    const ColumnMask& used = cards::used_columns_of(kind);
    for (int column = 1; column <= cards::kCardColumns; ++column) {
      if (!used.test(column)) shape.blank.set(column);
    }
  }
  return shape;
}

// Sixteen columns side by side, one byte each, and the same bytes as bits:
// g++ and clang make vector instructions of these where the machine has
// them, plain ones elsewhere. (Masks are worked on as bits so that the
// compiler keeps to plain and, or and not.)
using Columns = signed char __attribute__((vector_size(16)));
using Bits = unsigned long long __attribute__((vector_size(16)));
constexpr int kWidth = 16;

// Where each group of sixteen columns starts (from 0). The groups are read
// where the card image was written sixteen columns at a time, as a read
// across two such writes waits for both to reach the cache.
constexpr std::array<int, 5> kGroups = {0, 16, 32, 48, 64};
static_assert(kGroups.back() + kWidth == cards::kCardColumns);

// A mask in the groups' form: -1 (every bit set) in each column of it.
using GroupMasks = std::array<std::array<signed char, kWidth>, kGroups.size()>;

constexpr GroupMasks group_masks(const ColumnMask& mask) {
  GroupMasks groups{};
  for (std::size_t g = 0; g < kGroups.size(); ++g) {
    for (int i = 0; i < kWidth; ++i) groups[g][static_cast<std::size_t>(i)] = mask.test(kGroups[g] + i + 1) ? -1 : 0;
  }
  return groups;
}

struct GroupShape {
  GroupMasks blank;
  GroupMasks inside_numbers;
  GroupMasks touching;
};

constexpr GroupShape group_shape(CardKind kind) {
  const NeatShape shape = neat_shape(kind);
  return {group_masks(shape.blank), group_masks(shape.inside_numbers), group_masks(shape.touching)};
}

template <typename Vector>
Vector load(const void* bytes) {
  Vector vector;
  std::memcpy(&vector, bytes, sizeof vector);
  return vector;
}

Bits bits(Columns columns) {
  Bits vector;
  std::memcpy(&vector, &columns, sizeof vector);
  return vector;
}

// Whether the column before each of `blank`'s is blank: its bytes moved up
// one column, the last of `before`, the group before, coming in first.
Bits shifted_in(Bits blank, Bits before) {
  return Bits{blank[0] << 8 | before[1] >> 56, blank[1] << 8 | blank[0] >> 56};
}

// The columns of a card of that kind; with its masks constants, the
// compiler leaves out the work of any that is empty (comments have none).
template <CardKind kind>
bool neat_as(const char* text) {
  static constexpr GroupShape kShape = group_shape(kind);
  Bits off{};  // set in a column that is not neat
  Bits blank_group_before{};
  for (std::size_t g = 0; g < kGroups.size(); ++g) {
    const Columns here = load<Columns>(text + kGroups[g]);
    const Bits blank = bits(here == ' ');
    // Below a blank as a signed byte: a control character, or a byte outside ASCII.
    off |= bits(here < ' ');
    off |= load<Bits>(kShape.blank[g].data()) & ~blank;
    const Bits blank_before = shifted_in(blank, blank_group_before);
    off |= load<Bits>(kShape.inside_numbers[g].data()) & blank & ~blank_before;
    off |= load<Bits>(kShape.touching[g].data()) & ~blank & ~blank_before;
    blank_group_before = blank;
  }
  return (off[0] | off[1]) == 0;
}

constexpr auto kNeatAs = []<std::size_t... kind>(std::index_sequence<kind...>) {
  return std::array<bool (*)(const char*), sizeof...(kind)>{&neat_as<static_cast<CardKind>(kind)>...};
}
(std::make_index_sequence<cards::kKinds.size()>());

}  // namespace

bool neatly_punched(std::string_view record, const Card& card) {
  if (record.size() > cards::kCardColumns) return false;
  return kNeatAs[static_cast<std::size_t>(card.kind())](card.text().data());
}

}  // namespace barlist::deck
