// The whole run as one JSON document, for programs that read the quantities
// and the schedule without parsing fixed columns: every problem with its
// units, the cards weighed in them, its totals and its bars by size, then
// the deck errors and warnings. docs/json-format.md describes the keys.
#pragma once

#include <ostream>
#include <string>

#include "exports/run_collector.h"

namespace barlist::exports {

class JsonRecord final : public RunCollector {
 public:
  // `date` and `time` are the run's, as the report headers show them
  // ("08-DEC-26", "14:05:33"); `deck` is the deck's name as the user gave it.
  // `started` is the same moment in ISO 8601 ("2026-12-08T22:54:21Z").
  JsonRecord(std::string version, std::string deck, std::string date, std::string time, std::string started);

  // The document, indented, with a final newline. Called once the run has ended.
  void write(std::ostream& out) const;

 private:
  std::string version_, deck_, date_, time_, started_;
};

}  // namespace barlist::exports
