#include "deck/error_notes.h"

#include <cstdio>
#include <vector>

#include "cards/descriptions.h"
#include "cards/wording.h"
#include "geometry/bar_sizes.h"
#include "geometry/chkdim.h"
#include "records/text.h"

namespace barlist::deck {
namespace {

using cards::CardKind;
using cards::columns;
using cards::kBarFields;
using cards::punch_right;
using events::DeckError;

// The numbers from 1 to `upto` that a rule takes, as "1, 3 and 6".
template <typename Valid>
std::string valid_numbers(int upto, Valid valid) {
  std::vector<int> numbers;
  for (int n = 1; n <= upto; ++n) {
    if (valid(n)) numbers.push_back(n);
  }
  std::string text;
  for (std::size_t i = 0; i < numbers.size(); ++i) {
    if (i > 0) text += i + 1 == numbers.size() ? " and " : ", ";
    text += std::to_string(numbers[i]);
  }
  return text;
}

std::string bar_sizes() {
  return valid_numbers(99, [](int size) { return geometry::is_bar_size(size); });
}

// The six columns of a bar card's written length, in two fields.
constexpr int kLengthFirst = kBarFields.named("length in hundreds of mm").first;
constexpr int kLengthLast = kBarFields.named("length in mm").last;

// "punch the length in columns 7-12 or a bar type in columns 23-24"
std::string length_or_type() {
  return "punch the length in " + columns(kLengthFirst, kLengthLast) + " or a bar type in " +
         columns(kBarFields.named("bar type"));
}

std::string hook_styles(int size) {
  return valid_numbers(9, [size](int style) { return geometry::is_hook_style(size, style); });
}

}  // namespace

std::string fix_of(DeckError error) {
  static constexpr auto kType = kBarFields.named("bar type");
  static constexpr auto kCount = kBarFields.named("count");
  switch (error) {
    case DeckError::PrematureEnd:
      return "end every problem with a Z card; after the last, put only comments, line skips and blank lines";
    case DeckError::NoIdentificationCard:
      return "start the deck and each problem with an identification card: a * card holding " +
             std::string(cards::kProgramCode) + " in " + columns(cards::kIdentificationFields.named("program code"));
    case DeckError::NoUnitCard:
      return "put a unit card (U) before the bars; after a subtotal card, open a new unit";
    case DeckError::NumberOfUnitsNotGiven:
      return punch_right(cards::kUnitFields.named("number of units"), "the number of like units");
    case DeckError::IllegalCode:
      return "column 1 holds the card kind: " + cards::kind_letters() +
             "; end each problem with Z, and between Z and the next *, put only comments, line skips and blank lines";
    case DeckError::IllegalBarSize:
      return "bar sizes are " + bar_sizes() + ", right-justified in " + columns(kBarFields.named("size")) +
             "; use K cards, not empty lines";
    case DeckError::BarLengthNotGiven:
      return length_or_type() + "; on a vary bar card, the average length in " +
             columns(cards::kVaryBarFields.named("average length"));
    case DeckError::IllegalBarType:
      return "bar types are 1 to " + std::to_string(geometry::kMaxBarType) + ", right-justified in " + columns(kType);
    case DeckError::IllegalHookStyle:
      return "punch a valid hook style at each hooked end (columns " +
             std::to_string(kBarFields.named("hook style at A").first) + " and " +
             std::to_string(kBarFields.named("hook style at G").first) + ")";
    case DeckError::ErroneousDimension:
      return "recompute F from the other fields (on types 42 to 44, F is the sum of the legs); check the dimensions "
             "and the angle";
    case DeckError::IllegalAngle:
      return punch_right(kBarFields.named("angle"), "the angle (not 0 or 90)");
    case DeckError::CountBelowTwo:
      return punch_right(kBarFields.named("count N1"), "N1, 2 or more,");
    case DeckError::IllegalParabola:
      return "punch B and C (" + columns(kBarFields.named("dimension B")) + " and " +
             cards::column_span(kBarFields.named("dimension C").first, kBarFields.named("dimension C").last) + ")";
    case DeckError::NumberOfBarsNotGiven:
      return punch_right(kCount, "the count");
    case DeckError::LumpWeightNotGiven:
      return punch_right(cards::kLumpWeightFields.named("lump weight"), "the weight of one lump") + ", the count in " +
             columns(kCount);
    case DeckError::IllegalRecallBar:
      return "store the bar with an S card earlier in the same problem, or punch a full bar card";
    case DeckError::AlphabeticData:
      return "a bar card holds only digits and blanks in " + columns(kBarFields.named("size")) + " and " +
             cards::column_span(kLengthFirst, kBarFields.named("count N1").first) +
             ", numbers right-justified; the mark stays within " + columns(kBarFields.named("mark"));
    case DeckError::TooManyBars:
      return "split the deck into two runs";
    case DeckError::TooManyStoreBars:
      return "split the problem, or store fewer bars";
  }
  return {};
}

// The kind a small letter in column 1 most likely stands for, on the errors
// such a card meets; Unknown otherwise.
CardKind meant_kind(const ErrorScene& scene) {
  if (scene.error != DeckError::IllegalCode && scene.error != DeckError::NoUnitCard) return CardKind::Unknown;
  return cards::capital_kind(scene.card.text()[0]);
}

std::string note_for(const ErrorScene& scene) {
  const CardKind kind = scene.card.kind();
  if (const CardKind meant = meant_kind(scene); meant != CardKind::Unknown) {
    return "card kinds are capital letters: did you mean " +
           std::string(1, static_cast<char>(scene.card.text()[0] - 'a' + 'A')) + "?";
  }
  switch (scene.error) {
    case DeckError::IllegalCode: {
      const char column1 = scene.card.text()[0];
      if (kind == CardKind::Identification && !scene.open_problem.empty()) {
        return "problem " + records::trimmed(scene.open_problem) + " (line " + std::to_string(scene.open_problem_line) +
               ") has no end card (Z) before this card";
      }
      if (column1 >= 'a' && column1 <= 'z') return "card kinds are capital letters";
      break;
    }
    case DeckError::BarLengthNotGiven:
      if (kind == CardKind::VaryBar) {
        return punch_right(cards::kVaryBarFields.named("average length"), "the average length");
      }
      return length_or_type();
    case DeckError::IllegalHookStyle:
      return "hook styles for size " + std::to_string(scene.size) + " are " + hook_styles(scene.size);
    case DeckError::IllegalRecallBar:
      if (scene.stored_on_small_letter != 0) {
        return "the bar was stored on line " + std::to_string(scene.stored_on_small_letter) +
               " with a small s, which is no card kind: punch S there";
      }
      break;
    case DeckError::ErroneousDimension:
      if (scene.closing_F != 0) {
        char sum[32];
        std::snprintf(sum, sizeof sum, "%.7g", static_cast<double>(scene.closing_F));
        return "F should hold the sum of the legs, " + std::string(sum);
      }
      return "check the dimensions and the angle: they give no length barlist can list";
    case DeckError::AlphabeticData:
      if (const cards::CardField* field = kBarFields.at_column(scene.column)) {
        return "the " + std::string(field->name) + " (" + columns(*field) +
               ") holds only digits and blanks, punched right-justified";
      }
      break;
    default:
      break;
  }
  return fix_of(scene.error);
}

std::vector<CardFix> fixes_for(const ErrorScene& scene) {
  std::vector<CardFix> fixes;
  if (const CardKind meant = meant_kind(scene); meant != CardKind::Unknown) {
    fixes.push_back({1, 1, std::string(1, static_cast<char>(scene.card.text()[0] - 'a' + 'A')), true});
  }
  // The sum of the legs in F: the sum is clear, whether a leg or F is wrong
  // is not.
  if (scene.error == DeckError::ErroneousDimension && scene.closing_F != 0) {
    char sum[32];
    std::snprintf(sum, sizeof sum, "%.7g", static_cast<double>(scene.closing_F));
    static constexpr cards::CardField kF = kBarFields.named("dimension F");
    if (const auto justified = right_justified(sum, kF.width()))
      fixes.push_back({kF.first, kF.last, *justified, false});
  }
  return fixes;
}

}  // namespace barlist::deck
