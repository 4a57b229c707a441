// Runs a child program without a controlling terminal and collects its output.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace e2e {

struct ProcessResult {
  std::string out;         // everything written on standard output
  std::string err;         // everything written on standard error
  int exit_code = -1;      // exit status, -1 when the process did not exit normally
  int term_signal = 0;     // signal that ended the process, 0 when it exited
  bool timed_out = false;  // killed after the time limit
};

// Starts `program` with `args` in a new session (fork, setsid, exec), so it has
// no controlling terminal, with `workdir` as its working directory. `input` is
// written to its standard input, which is then closed. A process still running
// after `timeout` is killed with its whole process group.
ProcessResult run_process(const std::string& program, const std::vector<std::string>& args, const std::string& input,
                          const std::string& workdir, std::chrono::milliseconds timeout = std::chrono::seconds(30));

}  // namespace e2e
