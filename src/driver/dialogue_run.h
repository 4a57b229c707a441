// A run through the console dialogue: the three names asked, existing
// reports guarded by the overwrite question, errors 19 and 20 told on the
// console, every orderly end with status 0.
#pragma once

#include "driver/console.h"
#include "reports/clock.h"

namespace barlist::driver {

// Returns the exit status: 0 for every orderly end, 1 after a fatal report
// (written on standard error as "barlist: <condition>, unit N, file PATH").
int run_dialogue(const Terminal& terminal, const reports::Clock& clock);

}  // namespace barlist::driver
