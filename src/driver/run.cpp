#include "driver/run.h"

#include <unistd.h>

#include <csignal>
#include <string_view>

#include "driver/command_line.h"
#include "driver/compare_command.h"
#include "driver/dialogue_run.h"

namespace barlist::driver {

int run(int argc, char** argv) {
  // A closed pipe on standard output is a write failure, not a silent death.
  std::signal(SIGPIPE, SIG_IGN);
  // Both runs report their own failures; this is the last guard, so that no
  // exception ever leaves the program unreported.
  try {
    if (argc <= 1) return run_dialogue(Terminal{}, reports::local_time_now);
    // A subcommand only as the first argument: a deck named so is "./compare".
    if (std::string_view(argv[1]) == "compare") return run_compare(argc - 1, argv + 1);
    return run_command_line(argc, argv);
  } catch (...) {
    constexpr std::string_view kReport = "barlist: internal error\n";
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, kReport.data(), kReport.size());
    return 1;
  }
}

}  // namespace barlist::driver
