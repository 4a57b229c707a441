// Runs the real barlist binary at a terminal, as a person meets it.
#pragma once

#include <string>
#include <vector>

namespace barlist::testing {

struct Outcome {
  int status = -1;       // exit status, or -1 when killed or timed out
  std::string terminal;  // what the terminal showed
  std::string output;    // standard output, when redirected away from the terminal
};

// A pseudo-terminal is the controlling terminal. Each reply is typed once the
// terminal shows its prompt; with `stdin_text` set, standard input and output
// are redirected away from the terminal (input from that text, output to a pipe).
struct Exchange {
  std::string prompt;  // typed after the terminal shows this
  std::string reply;   // without its line end
};
Outcome run_on_terminal(const std::string& folder, const std::vector<Exchange>& dialogue,
                        const std::string* stdin_text = nullptr);

}  // namespace barlist::testing
