// The second pass: the deck read again from its first card, and the bar
// table written for every problem that pass 1 opened and found no error in.
#pragma once

#include "deck/channels.h"
#include "deck/tables.h"
#include "events/run_listener.h"

namespace barlist::deck {

// Tells the listener of each problem listed and each bar-level card listed.
void run_pass2(const DeckChannels& channels, const RunTables& tables, events::RunListener& listener);

}  // namespace barlist::deck
