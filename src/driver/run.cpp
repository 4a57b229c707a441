#include "driver/run.h"

#include <csignal>

#include "driver/command_line.h"
#include "driver/dialogue_run.h"

namespace barlist::driver {

int run(int argc, char** argv) {
  // A closed pipe on standard output is a write failure, not a silent death.
  std::signal(SIGPIPE, SIG_IGN);
  if (argc <= 1) return run_dialogue(Terminal{}, reports::local_time_now);
  return run_command_line(argc, argv);
}

}  // namespace barlist::driver
