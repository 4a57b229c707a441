// Where a card's number does not convert: the field its decode reports, the
// column within it and what it holds.
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

}  // namespace barlist::deck
