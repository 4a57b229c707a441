#include "driver/console.h"

#include <fcntl.h>
#include <unistd.h>

namespace barlist::driver {
namespace {

constexpr int kConsoleUnit = 1;
constexpr int kStandardInputUnit = 5;
constexpr int kStandardOutputUnit = 6;

// The console and standard output are seen by a person: every record is
// flushed at once, a prompt before its reply is read.
constexpr records::OutputOptions kInteractive{.flush_each_record = true, .owns_fd = false};

}  // namespace

Console::Console(const Terminal& terminal)
    : standard_input_(kStandardInputUnit, "/dev/stdin", terminal.standard_input, false),
      standard_output_(kStandardOutputUnit, "/dev/stdout", terminal.standard_output, kInteractive) {
  const int fd = ::open(terminal.console_device.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return;
  tty_input_ = std::make_unique<records::InputChannel>(kConsoleUnit, terminal.console_device, fd, true);
  tty_output_ = std::make_unique<records::OutputChannel>(kConsoleUnit, terminal.console_device, fd, kInteractive);
}

}  // namespace barlist::driver
