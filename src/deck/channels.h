// The channels the driver hands to the deck reader, open and positioned at
// their first record. The quantities file and the console are listeners.
#pragma once

#include "records/input_channel.h"
#include "records/output_channel.h"

namespace barlist::deck {

struct DeckChannels {
  records::InputChannel& deck;        // channel 4
  records::OutputChannel& bar_table;  // channel 3
};

}  // namespace barlist::deck
