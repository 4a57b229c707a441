// The bar schedule as CSV (RFC 4180: CRLF line ends, quoted fields), for a
// spreadsheet or another program: one row per bar, store bar, recall bar and
// vary bar card of the bar tables, in deck order, with the figures the
// program used for it rather than the columns as punched.
#pragma once

#include <ostream>

#include "exports/run_collector.h"

namespace barlist::exports {

class CsvSchedule final : public RunCollector {
 public:
  // The header row and the rows. Called once the run has ended.
  void write(std::ostream& out) const;
};

}  // namespace barlist::exports
