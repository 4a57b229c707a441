// barlist compare OLD NEW: two revisions of a deck worked out in memory and
// their differences told. Its exit status is that of diff and cmp, not a run's.
#pragma once

namespace barlist::driver {

// `argv[0]` is "compare".
int run_compare(int argc, char** argv);

}  // namespace barlist::driver
