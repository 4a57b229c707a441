// Applying fixes to the bytes of a deck held in memory.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "events/run_listener.h"

namespace barlist::driver {

// Applies `fixes` to the deck's lines (LF-ended, a CR before the LF kept as
// it is) and returns how many it applied. Where two overlap on a line, the
// one that starts first wins and the other is left for a later look. A fix
// of columns the line does not reach fills it with blanks; blanks a fix
// leaves at a line's end are dropped, the line's own trailing blanks kept. A
// fix's text may be longer or shorter than its columns (the rest of the line
// moves); one that holds a line end is left out.
std::size_t apply_fixes(std::string& deck, std::vector<events::Fix> fixes);

}  // namespace barlist::driver
