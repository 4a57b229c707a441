// The deck reader: pass 1 over the deck, then pass 2 unless a capacity error
// ended the run. What it finds goes to the listener; the bar table is
// written by pass 2.
#pragma once

#include "deck/channels.h"
#include "events/run_listener.h"

namespace barlist::deck {

struct DeckOptions {
  bool warnings = false;  // also look for cards read differently from what was meant
};

void run_deck(const DeckChannels& channels, events::RunListener& listener, DeckOptions options = {});

}  // namespace barlist::deck
