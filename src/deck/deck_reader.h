// The deck reader: pass 1 over the deck, then pass 2 unless a capacity error
// ended the run.
#pragma once

#include "deck/channels.h"
#include "reports/clock.h"

namespace barlist::deck {

void run_deck(const DeckChannels& channels, const reports::Clock& clock);

}  // namespace barlist::deck
