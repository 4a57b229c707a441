// The bar-level cards of pass 1: each decoded, checked, its length worked
// out or recalled and filed, and its weight added to the unit.
#include "cards/descriptions.h"
#include "deck/pass1.h"
#include "events/bar_label.h"
#include "geometry/bar_length.h"
#include "geometry/bar_sizes.h"

namespace barlist::deck {

using cards::CardKind;
using events::DeckError;

namespace {

// The deck error a bar's geometry failure is reported as.
DeckError deck_error(geometry::ShapeFailure failure) {
  using geometry::ShapeFailure;
  switch (failure) {
    case ShapeFailure::size:
      return DeckError::IllegalBarSize;
    case ShapeFailure::no_formula:
      return DeckError::BarLengthNotGiven;
    case ShapeFailure::type:
      return DeckError::IllegalBarType;
    case ShapeFailure::hook:
      return DeckError::IllegalHookStyle;
    case ShapeFailure::none:
    case ShapeFailure::dimension:
      break;
    case ShapeFailure::angle:
      return DeckError::IllegalAngle;
    case ShapeFailure::count:
      return DeckError::CountBelowTwo;
    case ShapeFailure::parabola:
      return DeckError::IllegalParabola;
  }
  return DeckError::ErroneousDimension;
}

}  // namespace

void Pass1::bar_length_card(const Card& card) {
  if (card.kind() == CardKind::RecallBar) {
    recall_card(card);
  } else {
    bar_card(card);
  }
}

void Pass1::bar_card(const Card& card) {
  if (const int column = first_non_numeric_column(card); column != 0) {
    recover(DeckError::AlphabeticData, card, column);
    return;
  }
  const BarCard bar = decode_bar(deck_, card);
  bar_ = bar.label;
  // The card's warnings are told with its error, if any, in column order.
  if (warnings_) {
    if (!neat_) check_bar_card(card, bar, found_);
    check_written_length(card, bar, found_);
  }
  const geometry::BarLength length = geometry::bar_length(bar.shape);
  if (length.failure != geometry::ShapeFailure::none) {
    const cards::CardField* field = cards::bar_field(length.field);
    recover(deck_error(length.failure), card, field != nullptr ? field->first : 1, length.closing_F);
    return;
  }
  warn_found();  // before the bar is weighed, as without an error
  if (!file_bar(card, {length.BARFT, length.BARIN}, length.BARL, bar.ANOB, &bar.shape)) return;
  if (card.kind() != CardKind::StoreBar) return;
  const StoreTable::Entry* stored = store_.find(bar_);
  if (!store_.add(tables_.bar_lengths.NB(), bar_, line_)) {
    stop(DeckError::TooManyStoreBars);
  } else if (stored != nullptr && warnings_) {
    warn(cards::kBarFields.named("size").first,
         "bar " + events::bar_label(bar_.IBS, as_text(bar_.IBM)) + " is stored again: a recall takes the one on line " +
             std::to_string(stored->line),
         "give the second bar a mark of its own");
  }
}

void Pass1::recall_card(const Card& card) {
  const RecallCard recall = decode_recall(deck_, card);
  bar_ = recall.label;
  if (warnings_ && !neat_) check_recall_card(card, found_);
  const StoreTable::Entry* stored = store_.find(bar_);
  if (stored == nullptr) {
    recover(DeckError::IllegalRecallBar, card, "size");
    return;
  }
  const geometry::StoredPair length = tables_.bar_lengths.at(stored->NB);
  const auto BARL = static_cast<float>(length.millimetres());
  warn_found();
  file_bar(card, length, BARL, recall.ANOB, nullptr);
}

bool Pass1::file_bar(const Card& card, geometry::StoredPair length, float BARL, float ANOB,
                     const geometry::BarShape* shape) {
  if (!tables_.bar_lengths.add(length)) {
    stop(DeckError::TooManyBars);
    return false;
  }
  weighed(card, ANOB, BARL, 0, totals_.add_bar(BARL, bar_.IBS, ANOB), shape);
  if (!(ANOB > 0)) {
    recover(DeckError::NumberOfBarsNotGiven, card, "count");
    return false;
  }
  return true;
}

void Pass1::weighed(const Card& card, float ANOB, float length, float lump_weight, float weight,
                    const geometry::BarShape* shape) {
  const bool lump = card.kind() == CardKind::LumpWeight;
  listener_.item_weighed({line_, card.kind(), as_text(unit_name_), lump ? 0 : bar_.IBS, lump ? "" : as_text(bar_.IBM),
                          ANOB, length, lump_weight, weight, shape, unit_open_ ? units_read_ : 0,
                          cards::gives_bar_mark(card.kind()) ? ++bar_marks_ : 0});
}

void Pass1::vary_bar_card(const Card& card) {
  const VaryBarCard vary = decode_vary_bar(deck_, card);
  bar_ = vary.label;
  if (warnings_ && !neat_) check_vary_bar_card(card, found_);
  listener_.vary_bar_read({line_, bar_.IBS, as_text(bar_.IBM), vary.BARL, vary.ANOB});
  if (!geometry::is_bar_size(bar_.IBS)) {
    recover(DeckError::IllegalBarSize, card, "size");
    return;
  }
  if (!(vary.BARL > 0)) {
    recover(DeckError::BarLengthNotGiven, card, "average length");
    return;
  }
  warn_found();
  weighed(card, vary.ANOB, vary.BARL, 0, totals_.add_bar(vary.BARL, bar_.IBS, vary.ANOB), nullptr);
  if (!(vary.ANOB > 0)) recover(DeckError::NumberOfBarsNotGiven, card, "count");
}

void Pass1::lump_weight_card(const Card& card) {
  const LumpWeightCard lump = decode_lump_weight(deck_, card);
  if (warnings_ && !neat_) check_lump_weight_card(card, found_);
  if (lump.lump_weight == 0) {
    recover(DeckError::LumpWeightNotGiven, card, "lump weight");
    return;
  }
  warn_found();
  weighed(card, lump.ANOB, 0, lump.lump_weight, totals_.add_lump_weight(lump.lump_weight, lump.ANOB), nullptr);
  if (!(lump.ANOB > 0)) recover(DeckError::NumberOfBarsNotGiven, card, "count");
}

}  // namespace barlist::deck
