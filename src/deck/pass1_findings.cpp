// What pass 1 tells its listener about a card that fails or reads
// otherwise than meant: the deck errors with their notes, and the warnings.
#include "deck/pass1.h"

#include <algorithm>

#include "cards/card_fields.h"
#include "deck/conversion_place.h"
#include "deck/error_notes.h"
#include "records/fatal.h"
#include "records/text.h"

namespace barlist::deck {

using events::CardKind;
using events::DeckError;

void Pass1::premature_end() {
  tell(DeckError::PrematureEnd, Card(), 0);
  problem().failed = true;
  state_ = State::Finished;
}

void Pass1::recover(DeckError error, const Card& card, int column, float closing_F) {
  tell(error, card, column, closing_F);
  problem().failed = true;
  state_ = State::BetweenProblems;
  after_end_card_ = false;
}

void Pass1::recover(DeckError error, const Card& card, std::string_view field) {
  recover(error, card, cards::fields_of(card.kind()).named(field).first);
}

void Pass1::stop(DeckError error) {
  tell(error, card_, 1);
  problem().failed = true;
  state_ = State::Stopped;
}

void Pass1::tell(DeckError error, const Card& card, int column, float closing_F) {
  const bool premature = error == DeckError::PrematureEnd;
  events::DeckErrorFound found{error,
                               line_,
                               column,
                               problem_,
                               as_text(problem_number_),
                               as_text(unit_name_),
                               bar_.IBS,
                               as_text(bar_.IBM),
                               premature ? std::string_view() : card.text(),
                               premature ? std::string_view() : record_};
  const bool problem_open = problem_ != 0 && !problem_ended_;
  const ErrorScene scene{.error = error,
                         .card = card,
                         .column = column,
                         .size = bar_.IBS,
                         .closing_F = closing_F,
                         .open_problem = problem_open ? as_text(problem_number_) : std::string_view(),
                         .open_problem_line = problem_open ? problem().opening_card : events::Line{0}};
  found.notes.push_back({line_, column, note_for(scene)});
  // A small card-kind letter: its capital, when that is a kind of card.
  const char column1 = premature ? ' ' : card.text()[0];
  const char capital = static_cast<char>(column1 - 'a' + 'A');
  if (error == DeckError::IllegalCode && column1 >= 'a' && column1 <= 'z' &&
      events::kind_of(capital) != CardKind::Unknown) {
    found.fixes.push_back({line_, 1, 1, std::string(1, capital), true});
  }
  listener_.deck_error(found);
}

// A problem that a failed card left open, told at the identification card
// that opens the next: the reports say nothing of its missing totals.
void Pass1::no_end_card() {
  warn(1,
       "problem " + records::trimmed(as_text(opened_number_)) + " (line " + std::to_string(problem().opening_card) +
           ") has no end card: it has " + (unit_open_ ? "no last unit line and " : "") + "no grand total",
       "end each problem with a Z card");
}

void Pass1::warn_found() {
  // In column order, whatever check found them.
  std::stable_sort(found_.begin(), found_.end(),
                   [](const CardWarning& a, const CardWarning& b) { return a.column < b.column; });
  for (CardWarning& w : found_) warn(w.column, std::move(w.message), std::move(w.note), std::move(w.fixes));
  found_.clear();
}

void Pass1::warn(int column, std::string message, std::string note, std::vector<events::Fix> fixes) {
  events::Warning warning{line_, column, std::move(message), record_};
  if (!note.empty()) warning.notes.push_back({line_, column, std::move(note)});
  for (events::Fix& fix : fixes) fix.line = line_;
  warning.fixes = std::move(fixes);
  listener_.warning(warning);
}

}  // namespace barlist::deck
