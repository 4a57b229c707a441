// The console dialogue: the three file names and the overwrite question.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "driver/console.h"

namespace barlist::driver {

// Shows a prompt on the console and reads the reply as a 36-character name,
// cut or blank-padded; nothing at the end of the console's input.
std::optional<std::array<char, 36>> ask_name(Console& console, const records::Layout& prompt);

// Asks on standard output whether an existing output file may be
// overwritten; only a reply starting with Y or y is yes. The end of standard
// input here is fatal.
bool confirm_overwrite(Console& console);

// The line shown when the user declines.
void say_exiting(Console& console);

}  // namespace barlist::driver
