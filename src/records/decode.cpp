#include "records/decode.h"

#include <algorithm>
#include <cstring>

#include "records/output_channel.h"

namespace barlist::records {
namespace {

// Lends one record's room and keeps the first record only, cut or
// blank-padded to the cell.
class CellSink {
 public:
  explicit CellSink(std::span<char> cell) : cell_(cell) {}

  char* begin_record(int) { return record_; }
  void end_record(int length, bool) {
    if (written_) return;
    written_ = true;
    const std::size_t n = std::min(static_cast<std::size_t>(length), cell_.size());
    std::memcpy(cell_.data(), record_, n);
    std::memset(cell_.data() + n, ' ', cell_.size() - n);
  }

 private:
  std::span<char> cell_;
  bool written_ = false;
  char record_[kMaxRecordColumns];
};

}  // namespace

void encode_fields(std::span<char> cell, const Layout& layout, const Value& value) {
  CellSink sink(cell);
  write_records(layout, std::span<const Value>(&value, 1), sink);
}

}  // namespace barlist::records
