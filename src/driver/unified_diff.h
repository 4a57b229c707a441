// Two versions of a deck as `diff -u` shows them, so that `patch -p0` turns
// the one into the other. A fix changes a line in place, never adds or
// removes one: the two texts have as many lines, compared line by line.
#pragma once

#include <string>
#include <string_view>

namespace barlist::driver {

// "--- NAME", "+++ NAME", then each run of changed lines with up to three
// lines of context around it; empty when the texts are equal. Line ends are
// kept as they are, and a last line without one is marked as diff marks it.
std::string unified_diff(const std::string& name, std::string_view before, std::string_view after);

}  // namespace barlist::driver
