// A run named on the command line: no prompt, no question; deck errors and
// warnings on standard error; the exit status tells whether the deck is clean.
#pragma once

namespace barlist::driver {

// Exit status: 0 the run completed and the deck has no error; 1 a fatal or
// usage error; 2 the deck has errors (warnings too, with --strict).
int run_command_line(int argc, char** argv);

}  // namespace barlist::driver
