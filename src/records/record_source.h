// Where an input layout's records after the first come from.
#pragma once

#include <string_view>

namespace barlist::records {

// Where the records after the first come from when a layout goes on to the
// next record (a / or a restart with targets left).
class RecordSource {
 public:
  virtual std::string_view following_record() = 0;

 protected:
  ~RecordSource() = default;
};

// The records after text held in memory: blank.
class BlankRecords final : public RecordSource {
 public:
  std::string_view following_record() override { return {}; }
};

}  // namespace barlist::records
