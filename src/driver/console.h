// Channel 1, the console: the controlling terminal, where the prompts are
// shown and the file names typed even when standard input or output is
// redirected. Without a terminal (a batch job) standard input and output
// serve as the console, sharing their buffers with the overwrite question.
#pragma once

#include <memory>
#include <string>

#include "events/run_listener.h"
#include "records/input_channel.h"
#include "records/output_channel.h"
#include "reports/error_lines.h"

namespace barlist::driver {

// Where a run's console and standard streams are; tests substitute their own.
struct Terminal {
  std::string console_device = "/dev/tty";
  int standard_input = 0;
  int standard_output = 1;
  int standard_error = 2;
};

class Console {
 public:
  explicit Console(const Terminal& terminal);

  records::InputChannel& input() { return tty_input_ ? *tty_input_ : standard_input_; }
  records::OutputChannel& output() { return tty_output_ ? *tty_output_ : standard_output_; }
  records::InputChannel& standard_input() { return standard_input_; }
  records::OutputChannel& standard_output() { return standard_output_; }

 private:
  records::InputChannel standard_input_;
  records::OutputChannel standard_output_;
  std::unique_ptr<records::InputChannel> tty_input_;
  std::unique_ptr<records::OutputChannel> tty_output_;
};

// Errors 19 and 20, which end the run, told on the console.
class CapacityMessages final : public events::RunListener {
 public:
  explicit CapacityMessages(records::OutputChannel& console) : console_(console) {}
  void deck_error(const events::DeckErrorFound& error) override {
    if (events::ends_run(error.error)) console_.write(reports::error_line(error.error), {});
  }

 private:
  records::OutputChannel& console_;
};

}  // namespace barlist::driver
