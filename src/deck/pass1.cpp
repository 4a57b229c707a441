#include "deck/pass1.h"

#include "deck/deck_errors.h"
#include "geometry/bar_length.h"
#include "geometry/bar_sizes.h"

namespace barlist::deck {

Pass1::Pass1(const DeckChannels& channels, const reports::Clock& clock, RunTables& tables)
    : channels_(channels), clock_(clock), tables_(tables), quantities_(channels.quantities) {
  unit_name_.fill(' ');
}

bool Pass1::next_card() {
  const auto record = channels_.deck.next_record();
  if (!record) return false;
  card_ = Card(*record);
  ++cards_read_;
  return true;
}

bool Pass1::run() {
  // The first card has no end-of-file branch: an empty deck is fatal.
  card_ = Card(channels_.deck.read_record());
  cards_read_ = 1;
  if (card_.kind() == '*') {
    identification(card_);
  } else {
    recover(1, card_);
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
        if (!next_card()) {
          state_ = State::Finished;
          break;
        }
        // Any card but an identification card is taken as if in a unit.
        if (card_.kind() == '*') {
          identification(card_);
        } else {
          state_ = State::InUnit;
          in_unit(card_);
        }
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
      case 'C':
      case 'K':
        continue;
      case 'Z':
        end_problem();
        return;
      case 'U':
        unit_card(card_);
        return;
      default:
        recover(2, card_);
        return;
    }
  }
}

void Pass1::in_unit(const Card& card) {
  switch (card.kind()) {
    case ' ':
    case '0':
    case 'S':
      bar_card(card);
      return;
    case 'V':
      vary_bar_card(card);
      return;
    case 'W':
      lump_weight_card(card);
      return;
    case 'R':
      recall_card(card);
      return;
    case 'U':
      close_unit();
      unit_card(card);
      return;
    case 'T':
      subtotal_card(card);
      return;
    case 'C':
    case 'K':
      return;
    case 'Z':
      end_problem();
      return;
    default:
      recover(4, card);
      return;
  }
}

void Pass1::identification(const Card& card) {
  const IdentificationCard id = decode_identification(channels_.deck, card);
  // The problem number, price and title are taken even from an invalid card.
  problem_number_ = id.problem_number;
  problem_price_ = id.price;
  if (id.program_code != std::array<char, 3>{'B', '0', '6'}) {
    recover(1, card);
    return;
  }
  problem_ = tables_.problems.size();
  tables_.problems.push_back({false, tables_.bar_lengths.NB(), cards_read_});
  quantities_.problem_header({problem_number_.data(), problem_number_.size()}, {id.title.data(), id.title.size()},
                             clock_());
  store_.clear();
  unit_open_ = false;  // a unit left open by an earlier problem is abandoned
  totals_.open_problem();
  state_ = State::AwaitingUnit;
}

void Pass1::unit_card(const Card& card) {
  const UnitCard unit = decode_unit(channels_.deck, card);
  unit_name_ = unit.name;
  NOUNIT_ = unit.NOUNIT;
  UPRICE_ = unit.UPRICE;
  totals_.open_unit();
  unit_open_ = true;  // even when rejected: its cards still count and it still closes
  state_ = State::InUnit;
  if (!(NOUNIT_ > 0)) {
    recover(3, card);
    return;
  }
  if (!(UPRICE_ > 0)) UPRICE_ = problem_price_;
}

void Pass1::bar_card(const Card& card) {
  if (!numeric_columns_clean(card)) {
    recover(18, card);
    return;
  }
  const BarCard bar = decode_bar(channels_.deck, card);
  bar_ = bar.label;
  const geometry::BarLength length = geometry::bar_length(bar.shape);
  if (length.error != 0) {
    recover(length.error, card);
    return;
  }
  if (!file_bar(card, {length.BARFT, length.BARIN}, length.BARL, bar.ANOB)) return;
  if (card.kind() == 'S' && !store_.add(tables_.bar_lengths.NB(), bar_)) stop(20);
}

void Pass1::recall_card(const Card& card) {
  const RecallCard recall = decode_recall(channels_.deck, card);
  bar_ = recall.label;
  const StoreTable::Entry* stored = store_.find(bar_);
  if (stored == nullptr) {
    recover(16, card);
    return;
  }
  const geometry::StoredPair length = tables_.bar_lengths.at(stored->NB);
  const float BARL = static_cast<float>(100 * length.BARFT + length.BARIN);
  file_bar(card, length, BARL, recall.ANOB);
}

bool Pass1::file_bar(const Card& card, geometry::StoredPair length, float BARL, float ANOB) {
  if (!tables_.bar_lengths.add(length)) {
    stop(19);
    return false;
  }
  totals_.add_bar(BARL, bar_.IBS, ANOB);
  if (!(ANOB > 0)) {
    recover(14, card);
    return false;
  }
  return true;
}

void Pass1::vary_bar_card(const Card& card) {
  const VaryBarCard vary = decode_vary_bar(channels_.deck, card);
  bar_ = vary.label;
  quantities_.vary_bar_line(bar_.IBS, {bar_.IBM.data(), bar_.IBM.size()}, vary.BARL, vary.ANOB);
  if (!geometry::is_bar_size(bar_.IBS)) {
    recover(5, card);
    return;
  }
  if (!(vary.BARL > 0)) {
    recover(7, card);
    return;
  }
  totals_.add_bar(vary.BARL, bar_.IBS, vary.ANOB);
  if (!(vary.ANOB > 0)) recover(14, card);
}

void Pass1::lump_weight_card(const Card& card) {
  const LumpWeightCard lump = decode_lump_weight(channels_.deck, card);
  if (lump.lump_weight == 0) {
    recover(15, card);
    return;
  }
  quantities_.lump_weight_line(lump.lump_weight, lump.ANOB);
  totals_.add_lump_weight(lump.lump_weight, lump.ANOB);
  if (!(lump.ANOB > 0)) recover(14, card);
}

void Pass1::subtotal_card(const Card& card) {
  close_unit();
  const std::array<char, 16> name = decode_subtotal_name(channels_.deck, card);
  quantities_.subtotal_line({name.data(), name.size()}, totals_.STWT, totals_.STCOST);
  totals_.open_subtotal_group();
  state_ = State::AwaitingUnit;
}

void Pass1::end_problem() {
  close_unit();
  quantities_.grand_total_line(totals_.GTWT, totals_.GTCOST);
  state_ = State::BetweenProblems;
}

// Unit, subtotal and end cards close the unit only when one is open, so no
// unit is closed twice or carried into another problem's totals.
void Pass1::close_unit() {
  if (!unit_open_) return;
  unit_open_ = false;
  const reports::UnitClose unit = totals_.close_unit(NOUNIT_, UPRICE_);
  quantities_.unit_line({unit_name_.data(), unit_name_.size()}, unit);
}

void Pass1::premature_end() {
  quantities_.premature_end();
  problem().failed = true;
  state_ = State::Finished;
}

void Pass1::recover(int error, const Card& card) {
  const ErrorContext context{{problem_number_.data(), problem_number_.size()}, {unit_name_.data(), unit_name_.size()},
                             bar_};
  report_deck_error(channels_.quantities, error, context, card);
  problem().failed = true;
  state_ = State::BetweenProblems;
}

void Pass1::stop(int error) {
  report_capacity_error(channels_.console, error);
  state_ = State::Stopped;
}

}  // namespace barlist::deck
