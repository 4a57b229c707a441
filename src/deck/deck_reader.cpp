#include "deck/deck_reader.h"

#include <memory>

#include "deck/pass1.h"
#include "deck/pass2.h"

namespace barlist::deck {

void run_deck(records::InputChannel& deck, events::RunListener& listener, DeckOptions options) {
  // The bar-length and store tables are fixed in size and too large for the
  // stack; the problem table grows as problems open.
  const auto tables = std::make_unique<RunTables>();
  Pass1 pass1(deck, listener, *tables, options.warnings, options.check);
  const bool complete = pass1.run();
  listener.pass1_ended(complete);
  if (complete) run_pass2(deck, *tables, listener, options.check);
  listener.run_ended();
}

}  // namespace barlist::deck
