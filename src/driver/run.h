// The run driver: without arguments the console dialogue asks for the three
// file names; with them the command line names the files and the run tells
// its findings on standard error. Both run the same deck reader and write the
// same reports.
#pragma once

namespace barlist::driver {

// Returns the exit status.
int run(int argc, char** argv);

}  // namespace barlist::driver
