// The run driver: the dialogue, the four channels, the deck reader, and the
// end of the run with its exit status.
#pragma once

#include "driver/console.h"
#include "reports/clock.h"

namespace barlist::driver {

// One whole run. A fatal condition is thrown as records::FatalError after
// every open channel has been closed with what was written to it.
void run_session(const Terminal& terminal, const reports::Clock& clock);

// run_session with its fatal report on standard error; returns the exit
// status: 0 for every orderly end, 1 after a fatal report.
int run(const Terminal& terminal, const reports::Clock& clock);
int run();

}  // namespace barlist::driver
