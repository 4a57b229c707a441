// Runs arbitrary bytes through the deck reader as a whole deck, both passes,
// in one process. The deck lives in an anonymous memory file so the reader
// sees a real descriptor it can read and rewind; the reports go to
// /dev/null, the diagnostics and both exports to memory. A fatal condition
// (a field that does not convert, a failing read) is an orderly end of the
// run, not a finding; anything else the sanitizers or libFuzzer notice is.
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <ostream>
#include <sstream>

#include "deck/deck_reader.h"
#include "driver/diagnostics.h"
#include "exports/csv_schedule.h"
#include "exports/json_record.h"
#include "records/fatal.h"
#include "records/input_channel.h"
#include "records/output_channel.h"
#include "reports/bar_table_file.h"
#include "reports/quantities_file.h"

namespace {

using namespace barlist;

int null_output() {
  static const int fd = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (fd < 0) std::abort();
  return fd;
}

int deck_file(const std::uint8_t* data, std::size_t size) {
  const int fd = ::memfd_create("deck", MFD_CLOEXEC);
  if (fd < 0) std::abort();
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::write(fd, data + done, size - done);
    if (n <= 0) std::abort();
    done += static_cast<std::size_t>(n);
  }
  if (::lseek(fd, 0, SEEK_SET) != 0) std::abort();
  return fd;
}

reports::LocalTime fixed_time() { return {2026, 3, 14, 9, 26, 53}; }

// A check of the same deck: no report, every card that does not convert
// told and read past.
void check(int fd) {
  if (::lseek(fd, 0, SEEK_SET) != 0) std::abort();
  records::InputChannel deck(4, "/fuzz/input.deck", records::FileDescriptor::borrow(fd));
  std::ostringstream discarded;
  driver::Diagnostics diagnostics("/fuzz/input.deck", discarded, {});
  exports::JsonRecord json("fuzz", "/fuzz/input.deck", "14-MAR-26", "09:26:53", "2026-03-14T09:26:53Z");
  events::Listeners listeners;
  listeners.add(diagnostics);
  listeners.add(json);
  deck::run_deck(deck, listeners, {.warnings = true, .check = true});
  json.write(discarded);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const int fd = deck_file(data, size);
  records::InputChannel deck(4, "/fuzz/input.deck", records::FileDescriptor::own(fd));
  const records::OutputOptions asa{.discipline = records::LineDiscipline::Asa};
  const records::OutputOptions plain{.discipline = records::LineDiscipline::Plain};
  records::OutputChannel quantities(2, "/fuzz/out.qty", records::FileDescriptor::borrow(null_output()), asa);
  records::OutputChannel bar_table(3, "/fuzz/out.tab", records::FileDescriptor::borrow(null_output()), plain);
  reports::QuantitiesFile quantities_file(quantities, fixed_time);
  reports::BarTableFile bar_table_file(bar_table);
  // Every listener of a command-line run sees the deck: the diagnostics are
  // formatted and both exports collected and written.
  std::ostringstream discarded;
  driver::Diagnostics diagnostics("/fuzz/input.deck", discarded, {.color = true});
  exports::JsonRecord json("fuzz", "/fuzz/input.deck", "14-MAR-26", "09:26:53", "2026-03-14T09:26:53Z");
  exports::CsvSchedule csv;
  events::Listeners listeners;
  listeners.add(quantities_file);
  listeners.add(bar_table_file);
  listeners.add(diagnostics);
  listeners.add(json);
  listeners.add(csv);
  try {
    // With the warnings, so the checks behind them see every deck too.
    deck::run_deck(deck, listeners, {.warnings = true});
    quantities.close();
    bar_table.close();
    json.write(discarded);
    csv.write(discarded);
  } catch (const records::FatalError&) {
    // An orderly fatal end: the driver would report it and exit with status 1.
  }
  try {
    check(fd);
  } catch (const records::FatalError&) {
    // Only a failing read: a check reads past what does not convert.
  }
  return 0;
}
