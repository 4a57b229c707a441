// The deck reader: pass 1 over the deck, then pass 2 unless a capacity error
// ended the run. What it finds goes to the listener: the reports, the
// console and the exports are all listeners.
#pragma once

#include "events/run_listener.h"
#include "records/input_channel.h"

namespace barlist::deck {

struct DeckOptions {
  bool warnings = false;  // also look for cards read differently from what was meant
  // A check, not a run: a card whose number does not convert is told and
  // reading goes on, as after a failed card, where a run would stop.
  bool check = false;
};

// `deck` is open (channel 4) and positioned at its first record.
void run_deck(records::InputChannel& deck, events::RunListener& listener, DeckOptions options = {});

}  // namespace barlist::deck
