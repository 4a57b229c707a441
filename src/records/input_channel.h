// A numbered input channel read record by record: a record is the bytes up to
// the next LF, without one CR just before it; a last line without LF is still
// a record. Only the first kMaxColumns bytes of a record are kept, so a line
// of any length is read in constant memory. A record is handed out where it
// lies in the read buffer, uncopied, unless it is longer than the buffer.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "records/decode.h"
#include "records/file_descriptor.h"

namespace barlist::records {

class InputChannel final : private RecordSource {
 public:
  static constexpr std::size_t kMaxColumns = 256;

  InputChannel(int unit, std::string path, FileDescriptor fd);
  ~InputChannel();
  InputChannel(const InputChannel&) = delete;
  InputChannel& operator=(const InputChannel&) = delete;

  // The next record, or nothing at the end of the file. The view lasts until
  // the next call.
  std::optional<std::string_view> next_record();
  // The next record; the end of the file is fatal.
  std::string_view read_record();
  // Reads one record, or more where the layout goes on to the next; the end
  // of the file and a field that does not convert are fatal.
  void read_record(const Layout& layout, std::initializer_list<Target> targets);
  // Applies `layout` to a record of this channel already read; a field that
  // does not convert is fatal.
  void decode(std::string_view record, const Layout& layout, std::initializer_list<Target> targets) const;
  // The same two with the targets' kinds checked against the layout by the
  // compiler (records/data_shapes.h): decode<kRecallCard>(card, IBS, IBM, ANOB).
  template <const Layout& layout, typename... Targets>
  void read_record(Targets&&... targets) {
    if (decode_records<layout>(read_record(), *this, std::forward<Targets>(targets)...) != ReadStatus::Ok) {
      conversion_failed();
    }
  }
  template <const Layout& layout, typename... Targets>
  void decode(std::string_view record, Targets&&... targets) const {
    if (decode_fields<layout>(record, std::forward<Targets>(targets)...) != ReadStatus::Ok) conversion_failed();
  }

  // Positions the channel at its first record again.
  void rewind();
  void close();

 private:
  [[noreturn]] void conversion_failed() const;
  bool fill();
  std::string_view record_at(std::size_t start, std::size_t length, bool ended_by_newline) const;
  std::string_view longer_than_buffer();
  std::string_view following_record() override { return read_record(); }

  int unit_;
  std::string path_;
  FileDescriptor fd_;
  bool at_end_ = false;
  std::size_t start_ = 0;
  std::size_t end_ = 0;
  std::array<char, 1 << 16> buffer_;
  std::array<char, kMaxColumns> record_;
};

}  // namespace barlist::records
