#include "deck/pass1.h"

#include "deck/error_columns.h"
#include "geometry/bar_length.h"
#include "geometry/bar_sizes.h"
#include "records/fatal.h"
#include "records/text.h"

namespace barlist::deck {
namespace {

using events::CardKind;
using events::DeckError;

std::string_view view(const auto& cells) { return {cells.data(), cells.size()}; }

}  // namespace

Pass1::Pass1(records::InputChannel& deck, events::RunListener& listener, RunTables& tables, bool warnings)
    : deck_(deck), listener_(listener), tables_(tables), warnings_(warnings) {
  unit_name_.fill(' ');
}

bool Pass1::run() {
  try {
    return read_deck();
  } catch (records::FatalError& error) {
    // A field that does not convert stops the run at the card that holds it.
    if (error.condition() == records::kConversionError) error.set_line(line_);
    throw;
  }
}

void Pass1::take_card(std::string_view record) {
  record_ = record;
  card_.assign(record);
  ++line_;
  if (!warnings_) return;
  check_record(record_, found_);
  warn_found();
}

bool Pass1::next_card() {
  const auto record = deck_.next_record();
  if (!record) return false;
  take_card(*record);
  return true;
}

bool Pass1::read_deck() {
  // The first card has no end-of-file branch: an empty deck is fatal.
  take_card(deck_.read_record());
  if (card_.kind() == CardKind::Identification) {
    identification(card_);
  } else {
    recover(DeckError::NoIdentificationCard, card_, 1);
  }
  for (;;) {
    switch (state_) {
      case State::AwaitingUnit:
        awaiting_unit();
        break;
      case State::InUnit:
        if (!next_card()) {
          premature_end();
          break;
        }
        in_unit(card_);
        break;
      case State::BetweenProblems:
        between_problems();
        break;
      case State::Finished:
        return true;
      case State::Stopped:
        return false;
    }
  }
}

void Pass1::awaiting_unit() {
  totals_.open_subtotal_group();
  for (;;) {
    if (!next_card()) {
      premature_end();
      return;
    }
    switch (card_.kind()) {
      case CardKind::Comment:
      case CardKind::LineSkip:
        continue;
      case CardKind::End:
        end_problem();
        return;
      case CardKind::Unit:
        unit_card(card_);
        return;
      default:
        recover(DeckError::NoUnitCard, card_, 1);
        return;
    }
  }
}

// After an end card or a failed card. Comments, line skips and blank cards
// (an empty line reads as one) belong to no problem and are passed over; an
// identification card opens the next problem; any other card is taken as if
// in a unit of the current problem.
void Pass1::between_problems() {
  for (;;) {
    if (!next_card()) {
      // A problem whose last card failed ends the deck without a word of its
      // own in the reports: its unit line and grand total are missing.
      if (warnings_ && problem_ != 0 && !problem_ended_) {
        warn(1, "the deck ends before the end card of problem " + records::trimmed(view(problem_number_)));
      }
      state_ = State::Finished;
      return;
    }
    const CardKind kind = card_.kind();
    if (kind == CardKind::Comment || kind == CardKind::LineSkip || card_.blank()) continue;
    if (kind == CardKind::Identification) {
      identification(card_);
      return;
    }
    if (after_end_card_ && warnings_) {
      warn(1, "card after the end card of problem " + records::trimmed(view(problem_number_)) +
                  " is read as part of that problem");
    }
    after_end_card_ = false;
    state_ = State::InUnit;
    in_unit(card_);
    return;
  }
}

void Pass1::in_unit(const Card& card) {
  switch (card.kind()) {
    case CardKind::Bar:
    case CardKind::StoreBar:
      bar_card(card);
      return;
    case CardKind::VaryBar:
      vary_bar_card(card);
      return;
    case CardKind::LumpWeight:
      lump_weight_card(card);
      return;
    case CardKind::RecallBar:
      recall_card(card);
      return;
    case CardKind::Unit:
      close_unit();
      unit_card(card);
      return;
    case CardKind::Subtotal:
      subtotal_card(card);
      return;
    case CardKind::Comment:
    case CardKind::LineSkip:
      return;
    case CardKind::End:
      end_problem();
      return;
    case CardKind::Identification:
    case CardKind::Unknown:
      recover(DeckError::IllegalCode, card, 1);
      return;
  }
}

void Pass1::identification(const Card& card) {
  const IdentificationCard id = decode_identification(deck_, card);
  // The problem number, price and title are taken even from an invalid card.
  problem_number_ = id.problem_number;
  problem_price_ = id.price;
  if (id.program_code != std::array<char, 3>{'B', '0', '6'}) {
    recover(DeckError::NoIdentificationCard, card, kProgramCodeColumn);
    return;
  }
  problem_ = tables_.problems.size();
  tables_.problems.emplace_back(tables_.bar_lengths.NB(), line_);
  listener_.problem_opened({line_, problem_, view(problem_number_), view(id.title), problem_price_});
  store_.clear();
  unit_open_ = false;  // a unit left open by an earlier problem is abandoned
  after_end_card_ = false;
  problem_ended_ = false;
  totals_.open_problem();
  state_ = State::AwaitingUnit;
}

void Pass1::unit_card(const Card& card) {
  const UnitCard unit = decode_unit(deck_, card);
  unit_name_ = unit.name;
  unit_line_ = line_;
  NOUNIT_ = unit.NOUNIT;
  UPRICE_ = unit.UPRICE;
  totals_.open_unit();
  unit_open_ = true;  // even when rejected: its cards still count and it still closes
  state_ = State::InUnit;
  if (!(NOUNIT_ > 0)) {
    recover(DeckError::NumberOfUnitsNotGiven, card, kUnitCountColumn);
    return;
  }
  if (!(UPRICE_ > 0)) UPRICE_ = problem_price_;
}

void Pass1::bar_card(const Card& card) {
  if (const int column = first_non_numeric_column(card); column != 0) {
    recover(DeckError::AlphabeticData, card, column);
    return;
  }
  const BarCard bar = decode_bar(deck_, card);
  bar_ = bar.label;
  if (warnings_) {
    check_bar_card(card, bar, found_);
    warn_found();
  }
  const geometry::BarLength length = geometry::bar_length(bar.shape);
  if (length.error != 0) {
    recover(static_cast<DeckError>(length.error), card, bar_error_column(length.error, bar.shape));
    return;
  }
  if (!file_bar(card, {length.BARFT, length.BARIN}, length.BARL, bar.ANOB, &bar.shape)) return;
  if (card.kind() != CardKind::StoreBar) return;
  const StoreTable::Entry* stored = store_.find(bar_);
  if (!store_.add(tables_.bar_lengths.NB(), bar_, line_)) {
    stop(DeckError::TooManyStoreBars);
  } else if (stored != nullptr && warnings_) {
    warn(kSizeColumn, "bar " + std::to_string(bar_.IBS) + records::trimmed(view(bar_.IBM)) +
                          " is stored again: a recall takes the one on line " + std::to_string(stored->line));
  }
}

void Pass1::recall_card(const Card& card) {
  const RecallCard recall = decode_recall(deck_, card);
  bar_ = recall.label;
  if (warnings_) {
    check_recall_card(card, found_);
    warn_found();
  }
  const StoreTable::Entry* stored = store_.find(bar_);
  if (stored == nullptr) {
    recover(DeckError::IllegalRecallBar, card, kSizeColumn);
    return;
  }
  const geometry::StoredPair length = tables_.bar_lengths.at(stored->NB);
  const float BARL = static_cast<float>(100 * length.BARFT + length.BARIN);
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
    recover(DeckError::NumberOfBarsNotGiven, card, kCountColumn);
    return false;
  }
  return true;
}

void Pass1::weighed(const Card& card, float ANOB, float length, float lump_weight, float weight,
                    const geometry::BarShape* shape) {
  const bool lump = card.kind() == CardKind::LumpWeight;
  listener_.item_weighed({line_, card.kind(), view(unit_name_), lump ? 0 : bar_.IBS, lump ? "" : view(bar_.IBM), ANOB,
                          length, lump_weight, weight, shape});
}

void Pass1::vary_bar_card(const Card& card) {
  const VaryBarCard vary = decode_vary_bar(deck_, card);
  bar_ = vary.label;
  listener_.vary_bar_read({line_, bar_.IBS, view(bar_.IBM), vary.BARL, vary.ANOB});
  if (!geometry::is_bar_size(bar_.IBS)) {
    recover(DeckError::IllegalBarSize, card, kSizeColumn);
    return;
  }
  if (!(vary.BARL > 0)) {
    recover(DeckError::BarLengthNotGiven, card, kVaryLengthColumn);
    return;
  }
  weighed(card, vary.ANOB, vary.BARL, 0, totals_.add_bar(vary.BARL, bar_.IBS, vary.ANOB), nullptr);
  if (!(vary.ANOB > 0)) recover(DeckError::NumberOfBarsNotGiven, card, kCountColumn);
}

void Pass1::lump_weight_card(const Card& card) {
  const LumpWeightCard lump = decode_lump_weight(deck_, card);
  if (lump.lump_weight == 0) {
    recover(DeckError::LumpWeightNotGiven, card, kLumpWeightColumn);
    return;
  }
  weighed(card, lump.ANOB, 0, lump.lump_weight, totals_.add_lump_weight(lump.lump_weight, lump.ANOB), nullptr);
  if (!(lump.ANOB > 0)) recover(DeckError::NumberOfBarsNotGiven, card, kCountColumn);
}

void Pass1::subtotal_card(const Card& card) {
  close_unit();
  const std::array<char, 16> name = decode_subtotal_name(deck_, card);
  listener_.subtotal_written({line_, view(name), totals_.STWT, totals_.STCOST});
  totals_.open_subtotal_group();
  state_ = State::AwaitingUnit;
}

void Pass1::end_problem() {
  close_unit();
  listener_.problem_ended({line_, totals_.GTWT, totals_.GTCOST});
  state_ = State::BetweenProblems;
  after_end_card_ = true;
  problem_ended_ = true;
}

// Unit, subtotal and end cards close the unit only when one is open, so no
// unit is closed twice or carried into another problem's totals.
void Pass1::close_unit() {
  if (!unit_open_) return;
  unit_open_ = false;
  listener_.unit_closed({unit_line_, view(unit_name_), totals_.close_unit(NOUNIT_, UPRICE_)});
}

void Pass1::premature_end() {
  tell(DeckError::PrematureEnd, Card(), 0);
  problem().failed = true;
  state_ = State::Finished;
}

void Pass1::recover(DeckError error, const Card& card, int column) {
  tell(error, card, column);
  problem().failed = true;
  state_ = State::BetweenProblems;
  after_end_card_ = false;
}

void Pass1::stop(DeckError error) {
  tell(error, card_, 1);
  problem().failed = true;
  state_ = State::Stopped;
}

void Pass1::tell(DeckError error, const Card& card, int column) {
  const bool premature = error == DeckError::PrematureEnd;
  listener_.deck_error({error, line_, column, problem_, view(problem_number_), view(unit_name_), bar_.IBS,
                        view(bar_.IBM), premature ? std::string_view() : card.text(),
                        premature ? std::string_view() : record_});
}

void Pass1::warn_found() {
  for (CardWarning& w : found_) warn(w.column, std::move(w.message));
  found_.clear();
}

void Pass1::warn(int column, std::string message) { listener_.warning({line_, column, std::move(message), record_}); }

}  // namespace barlist::deck
