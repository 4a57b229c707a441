// What can be decided about a command-line run from the names of its files
// and the file system alone, decided before any file is opened for writing:
// a refused run creates, empties or changes no file.
#pragma once

#include <string>

#include "driver/options.h"
#include "records/file_descriptor.h"
#include "reports/clock.h"

namespace barlist::driver {

// A failure of the command-line run that is reported as it stands.
struct Refusal {
  std::string message;  // "FILE: why"
};

// The clock the report headers read: the machine's local time, or the UTC
// time of SOURCE_DATE_EPOCH when it is set. Throws Refusal when it is not a
// number of seconds a header can show.
reports::Clock header_clock();

// Opens the deck for reading; throws Refusal when it cannot be read or holds
// nothing at all.
records::FileDescriptor open_deck(const std::string& path);

// Throws Refusal when a report exists without --force, when a report or an
// export is a folder, the deck, or the same file as another output.
// `deck` is the open deck.
void check_outputs(const Options& options, int deck);

}  // namespace barlist::driver
