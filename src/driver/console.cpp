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
constexpr records::OutputOptions kInteractive{.flush_each_record = true};

}  // namespace

Console::Console(const Terminal& terminal)
    : standard_input_(kStandardInputUnit, "/dev/stdin", records::FileDescriptor::borrow(terminal.standard_input)),
      standard_output_(kStandardOutputUnit, "/dev/stdout", records::FileDescriptor::borrow(terminal.standard_output),
                       kInteractive) {
  const int fd = ::open(terminal.console_device.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return;
  // One descriptor serves both directions; the input channel owns it.
  tty_input_ =
      std::make_unique<records::InputChannel>(kConsoleUnit, terminal.console_device, records::FileDescriptor::own(fd));
  tty_output_ = std::make_unique<records::OutputChannel>(kConsoleUnit, terminal.console_device,
                                                         records::FileDescriptor::borrow(fd), kInteractive);
}

}  // namespace barlist::driver
