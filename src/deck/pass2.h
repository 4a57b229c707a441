// The second pass: the deck read again from its first card, and every card
// of each problem that pass 1 opened and found no error in told to the
// listener (the bar table among them), with the length pass 1 filed.
#pragma once

#include "deck/tables.h"
#include "events/run_listener.h"
#include "records/input_channel.h"

namespace barlist::deck {

// Under `check`, a line-skip count that does not convert is told and the
// card passed over, where a run stops.
void run_pass2(records::InputChannel& deck, const RunTables& tables, events::RunListener& listener, bool check);

}  // namespace barlist::deck
