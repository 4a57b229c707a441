#include "deck/deck_reader.h"

#include <memory>

#include "deck/pass1.h"
#include "deck/pass2.h"

namespace barlist::deck {

void run_deck(const DeckChannels& channels, events::RunListener& listener, DeckOptions options) {
  // The tables are large and fixed in size: allocated once for the run.
  const auto tables = std::make_unique<RunTables>();
  Pass1 pass1(channels.deck, listener, *tables, options.warnings);
  const bool complete = pass1.run();
  listener.pass1_ended(complete);
  if (complete) run_pass2(channels, *tables, listener);
  listener.run_ended();
}

}  // namespace barlist::deck
