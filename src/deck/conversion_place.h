// Where a card's number does not convert: the field, the column and what it
// holds, found by asking the card's own decoder about ever shorter parts of
// the card, so that the rule of what converts stays in one place.
#pragma once

#include <string>
#include <string_view>

#include "deck/card.h"
#include "events/run_listener.h"
#include "records/fatal.h"
#include "records/input_channel.h"

namespace barlist::deck {

// The card at `line` (`record` as read) that does not convert, as a check
// tells it: the first column whose character stops the number (0 when none
// is found), what the field holds, and what a run stopping there leaves out.
events::ConversionFailed conversion_failure(const Card& card, events::Line line, std::string_view record,
                                            std::string consequence);

// Places a run's stop at that card, for its fatal report.
void locate(records::FatalError& error, const events::ConversionFailed& failure);

// A channel to hand the card decoders when decoding a card on its own: it is
// never read, and names the deck (unit 4) in a conversion error.
const records::InputChannel& decoding_channel();

}  // namespace barlist::deck
