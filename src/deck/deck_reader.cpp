#include "deck/deck_reader.h"

#include <memory>

#include "deck/pass1.h"
#include "deck/pass2.h"

namespace barlist::deck {

void run_deck(const DeckChannels& channels, const reports::Clock& clock) {
  // The tables are large and fixed in size: allocated once for the run.
  const auto tables = std::make_unique<RunTables>();
  Pass1 pass1(channels, clock, *tables);
  if (!pass1.run()) return;
  // The quantities file is complete: a disk that cannot take it stops the
  // run here, before the bar table is written.
  channels.quantities.flush();
  run_pass2(channels, *tables);
}

}  // namespace barlist::deck
