#include "deck/pass1.h"

#include <algorithm>

#include "cards/decode.h"
#include "cards/descriptions.h"
#include "deck/conversion_place.h"
#include "deck/error_notes.h"
#include "deck/neat_card.h"
#include "records/fatal.h"
#include "records/text.h"

namespace barlist::deck {

using cards::CardKind;
using events::DeckError;

namespace {
const std::string kQuantitiesStop = "the quantities file ends before this card";
}  // namespace

Pass1::Pass1(records::InputChannel& deck, events::RunListener& listener, RunTables& tables, bool warnings, bool check)
    : deck_(deck), listener_(listener), tables_(tables), warnings_(warnings), check_(check) {
  unit_name_.fill(' ');
}

bool Pass1::run() {
  try {
    return read_deck();
  } catch (records::FatalError& error) {
    // A field that does not convert stops the run at the card that holds it.
    if (error.condition() == records::kConversionError) {
      locate(error, conversion_failure(card_, line_, record_, kQuantitiesStop));
    }
    throw;
  }
}

template <typename Step>
void Pass1::guarded(Step step) {
  if (!check_) {
    step();
    return;
  }
  try {
    step();
  } catch (const records::FatalError& error) {
    if (error.condition() != records::kConversionError) throw;
    listener_.conversion_failed(conversion_failure(card_, line_, record_, kQuantitiesStop));
    if (card_.kind() != CardKind::Identification) problem().failed = true;
    state_ = State::BetweenProblems;
    after_end_card_ = false;
  }
}

void Pass1::take_card(std::string_view record) {
  record_ = record;
  card_.assign(record);
  ++line_;
  if (!warnings_) return;
  neat_ = neatly_punched(record_, card_);
  if (!neat_) {
    if (!line_ends_told_) line_ends_told_ = check_line_ends(record_, found_);
    check_record(record_, found_);
  }
  if (card_.kind() == CardKind::LineSkip) check_line_skip_card(card_, found_);
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
  guarded([this] {
    if (card_.kind() == CardKind::Identification) {
      identification(card_);
    } else {
      recover(DeckError::NoIdentificationCard, card_, 1);
    }
  });
  for (;;) {
    switch (state_) {
      case State::AwaitingUnit:
        guarded([this] { awaiting_unit(); });
        break;
      case State::InUnit:
        if (!next_card()) {
          premature_end();
          break;
        }
        guarded([this] { in_unit(card_); });
        break;
      case State::BetweenProblems:
        guarded([this] { between_problems(); });
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
        warn(1, "the deck ends before the end card of problem " + records::trimmed(as_text(problem_number_)),
             "end each problem with a Z card");
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
      warn(1,
           "card after the end card of problem " + records::trimmed(as_text(problem_number_)) +
               " is read as part of that problem",
           "open the next problem with its * card, or move the card before the end card");
    }
    after_end_card_ = false;
    state_ = State::InUnit;
    in_unit(card_);
    return;
  }
}

void Pass1::in_unit(const Card& card) {
  if (cards::takes_bar_length(card.kind())) {
    bar_length_card(card);
    return;
  }
  switch (card.kind()) {
    case CardKind::VaryBar:
      vary_bar_card(card);
      return;
    case CardKind::LumpWeight:
      lump_weight_card(card);
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
      if (card.text()[0] == 's') {
        // Remembered so that a recall of its bar can say why none is stored.
        cards::RecallCard small;
        if (cards::decode(cards::kRecall, card.text(), small).ok()) small_stores_.push_back({small.label, line_});
      }
      recover(DeckError::IllegalCode, card, 1);
      return;
    case CardKind::Bar:
    case CardKind::StoreBar:
    case CardKind::RecallBar:
      return;  // taken above
  }
}

void Pass1::identification(const Card& card) {
  const IdentificationCard id = decode_identification(deck_, card);
  if (warnings_) check_identification_card(card, id, found_);
  // The problem number, price and title are taken even from an invalid card.
  problem_number_ = id.problem_number;
  problem_price_ = id.price;
  if (std::string_view(id.program_code.data(), id.program_code.size()) != cards::kProgramCode) {
    recover(DeckError::NoIdentificationCard, card, "program code");
    return;
  }
  warn_found();
  if (warnings_ && problem_ != 0 && !problem_ended_) no_end_card();
  problem_ = tables_.problems.size();
  opened_number_ = problem_number_;
  tables_.problems.emplace_back(tables_.bar_lengths.NB(), line_);
  listener_.problem_opened({line_, problem_, as_text(problem_number_), as_text(id.title), problem_price_});
  store_.clear();
  small_stores_.clear();
  unit_open_ = false;  // a unit left open by an earlier problem is abandoned
  bar_marks_ = 0;
  after_end_card_ = false;
  problem_ended_ = false;
  totals_.open_problem();
  state_ = State::AwaitingUnit;
}

void Pass1::unit_card(const Card& card) {
  const UnitCard unit = decode_unit(deck_, card);
  if (warnings_) check_unit_card(card, unit, found_);
  unit_name_ = unit.name;
  unit_line_ = line_;
  ++units_read_;
  NOUNIT_ = unit.NOUNIT;
  UPRICE_ = unit.UPRICE;
  totals_.open_unit();
  unit_open_ = true;  // even when rejected: its cards still count and it still closes
  state_ = State::InUnit;
  if (!(NOUNIT_ > 0)) {
    recover(DeckError::NumberOfUnitsNotGiven, card, "number of units");
    return;
  }
  if (!(UPRICE_ > 0)) UPRICE_ = problem_price_;
  warn_found();
}

void Pass1::subtotal_card(const Card& card) {
  close_unit();
  const std::array<char, 16> name = decode_subtotal_name(deck_, card);
  listener_.subtotal_written({line_, as_text(name), totals_.STWT, totals_.STCOST});
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
  listener_.unit_closed({unit_line_, units_read_, as_text(unit_name_), totals_.close_unit(NOUNIT_, UPRICE_)});
}

}  // namespace barlist::deck
