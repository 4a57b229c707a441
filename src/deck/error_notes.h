// What to do about each deck error: the fix the deck reference gives for it,
// and the note told after an error on a given card, worked out from the card
// where it tells more than the fix (the hook styles of this bar's size, the
// F that would close these legs, the problem left without its end card).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "deck/card.h"
#include "deck/warnings.h"
#include "events/deck_errors.h"
#include "events/run_listener.h"

namespace barlist::deck {

// The fix of an error as the deck reference's table of errors gives it.
std::string fix_of(events::DeckError error);

// What the reader knows around an error besides the card.
struct ErrorScene {
  events::DeckError error;
  const Card& card;
  int column;                          // the column the error points at
  int size;                            // the bar's size, for the hook styles it takes
  float closing_F = 0;                 // on error 10 of types 42 to 44
  std::string_view open_problem = {};  // a problem still open, without its end card
  events::Line open_problem_line = 0;
  events::Line stored_on_small_letter = 0;  // on error 16: a small-s card that held this bar
};

// The note told after the error: the fix, or what the card tells.
std::string note_for(const ErrorScene& scene);

// The edits that mend the error where the card makes them clear: a small
// kind letter made capital (safe), F made the sum of the legs (not safe).
std::vector<CardFix> fixes_for(const ErrorScene& scene);

}  // namespace barlist::deck
