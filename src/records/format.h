// Applies an output layout to values, producing records.
#pragma once

#include <span>
#include <string_view>

#include "records/layout.h"
#include "records/values.h"

namespace barlist::records {

// Receives each finished record; `line_end` is false only for a record ended by $.
class RecordSink {
 public:
  virtual void emit(std::string_view record, bool line_end) = 0;

 protected:
  ~RecordSink() = default;
};

void format_records(const Layout& layout, std::span<const Value> values, RecordSink& sink);

}  // namespace barlist::records
