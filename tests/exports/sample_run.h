// A short run told to a listener as the deck reader would tell it.
#pragma once

#include "events/run_listener.h"

namespace barlist::exports::testing {

// Problem P201 (lines 1-9, listed): unit "CAP, ""NORTH""" of 3 like units
// with a type 10 bar 25F01, a lump weight, a vary bar 13V01, a punched-length
// bar 25F02 and a stray bar weighed before the unit card; a subtotal and an
// end card. Problem A102 (lines 10-13, failed): unit FOOTING with a bar 29F02,
// error 9 on bar 29F03, then a premature end. A warning; pass 2 lists P201.
void feed_sample_run(events::RunListener& listener);

}  // namespace barlist::exports::testing
