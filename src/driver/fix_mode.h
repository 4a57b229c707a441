// barlist --fix DECK and barlist --diff DECK: the deck checked as --check
// checks it, its fixes applied in memory until none of the chosen kind is
// left, then either written back over the deck or shown as a unified diff.
// What remains is listed on standard error as a check lists it.
#pragma once

#include <functional>
#include <ostream>

#include "driver/diagnostics.h"
#include "driver/options.h"

namespace barlist::driver {

// Called after the deck was read and before the fixed deck is written, so
// that a test can change the deck meanwhile.
using BetweenReadAndWrite = std::function<void()>;

// The exit status of --check on the deck as fixed: 0, or 2 for errors (or
// warnings, with --strict). Throws Refusal when the deck cannot be read or
// written, or changed on disk after it was read (it is then left as it is).
int run_fix_mode(const Options& options, DiagnosticStyle style, std::ostream& err,
                 const BetweenReadAndWrite& between_read_and_write = {});

}  // namespace barlist::driver
