// A numbered input channel read record by record: a record is the bytes up to
// the next LF, without one CR just before it; a last line without LF is still
// a record. Only the first kMaxColumns bytes of a record are kept, so a line
// of any length is read in constant memory. A record is handed out where it
// lies in the read buffer, uncopied, unless it is longer than the buffer. A
// channel over bytes held in memory reads them where they lie.
#pragma once

#include <array>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "records/fields.h"
#include "records/file_descriptor.h"
#include "records/layout.h"
#include "records/values.h"

namespace barlist::records {

class InputChannel;

// Input's side of the layout walk: each field of the record into its target.
// Columns past the end of a record read as blanks; the records after the
// first come from `more`, or are blank when there is none (a card image held
// in memory).
class RecordReader {
 public:
  [[gnu::always_inline]] RecordReader(std::string_view record, std::span<const Target> targets, InputChannel* more)
      : record_(record),
        first_(targets.data()),
        next_(targets.data()),
        end_(targets.data() + targets.size()),
        more_(more) {}

  [[gnu::always_inline]] void literal(const Item&) {}  // literals and $ have no meaning on input
  [[gnu::always_inline]] void leave_line_open() {}

  [[gnu::always_inline]] bool fields(const Item& item) {
#if !defined(__clang__)
#pragma GCC unroll 16
#endif
    for (int r = 0; r < item.repeat; ++r) {
      if (next_ == end_) return false;
      status_ = field(item, field_at(record_, item.input_column + r * item.width, item.width, padded_));
      ++next_;
      if (status_ != ReadStatus::Ok) return false;  // the targets before a failure are filled, none after
    }
    return true;
  }

  [[gnu::always_inline]] bool next_record();  // nothing more to read: the next record stays unread
  [[gnu::always_inline]] bool more() const { return next_ != end_; }

  // The status, and on a failure the index of the target that failed.
  ReadResult result() const {
    return {status_, status_ == ReadStatus::Ok ? 0 : static_cast<std::size_t>(next_ - first_) - 1};
  }

 private:
  [[gnu::always_inline]] ReadStatus field(const Item& item, std::string_view field) const {
    const Target& target = *next_;
    switch (target.kind()) {
      case ItemKind::Text:
        get_text(field, target.text(), target.length());
        return ReadStatus::Ok;
      case ItemKind::Integer:
        return read_integer(field, *target.integer());
      default:
        return read_real(field, item.kind == ItemKind::Real ? item.decimals : 0, *target.real());
    }
  }

  std::string_view record_;
  const Target* first_;
  const Target* next_;
  const Target* end_;
  InputChannel* more_;
  ReadStatus status_ = ReadStatus::Ok;
  char padded_[kMaxRecordColumns];
};

// Every way of reading fields with a layout: the walk with a RecordReader.
[[gnu::always_inline]] inline ReadResult read_records(const Layout& layout, std::string_view record,
                                                      std::span<const Target> targets, InputChannel* more) {
  RecordReader reader(record, targets, more);
  walk(layout, reader);
  return reader.result();
}

class InputChannel {
 public:
  static constexpr std::size_t kMaxColumns = 256;

  InputChannel(int unit, std::string path, FileDescriptor fd);
  // Over `bytes`, which the caller keeps until the channel is closed; `path`
  // is the name fatal reports give.
  InputChannel(int unit, std::string path, std::string_view bytes);
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
  // The same with the targets' kinds checked against the layout by the
  // compiler: read_record<kReply>(reply).
  template <const Layout& layout, typename... Targets>
  void read_record(Targets&... targets) {
    static_assert(arguments_fit<layout, Targets...>(), "the targets do not suit the layout's data items");
    const std::array<Target, sizeof...(Targets)> list{Target(targets)...};
    if (!read_records(layout, read_record(), list, this).ok()) conversion_failed();
  }
  // Applies `layout` to a record of this channel already read, the records
  // after it blank; a field that does not convert is fatal.
  void decode(std::string_view record, const Layout& layout, std::initializer_list<Target> targets) const;
  // The same with the targets' kinds checked against the layout by the
  // compiler: decode<kRecallCard>(card, IBS, IBM, ANOB).
  template <const Layout& layout, typename... Targets>
  void decode(std::string_view record, Targets&... targets) const {
    static_assert(arguments_fit<layout, Targets...>(), "the targets do not suit the layout's data items");
    const std::array<Target, sizeof...(Targets)> list{Target(targets)...};
    if (!read_records(layout, record, list, nullptr).ok()) conversion_failed();
  }

  // Positions the channel at its first record again.
  void rewind();
  void close();

  // Stops the run with a conversion error on this channel.
  [[noreturn]] void conversion_failed() const;

 private:
  bool fill();
  std::string_view record_at(std::size_t start, std::size_t length, bool ended_by_newline) const;
  std::string_view longer_than_buffer();

  int unit_;
  std::string path_;
  FileDescriptor fd_;
  bool at_end_ = false;  // from the start for bytes in memory
  std::size_t start_ = 0;
  std::size_t end_ = 0;
  const char* data_ = nullptr;  // the read buffer, or the bytes in memory
  std::array<char, 1 << 16> buffer_;
  std::array<char, kMaxColumns> record_;
};

inline bool RecordReader::next_record() {
  if (next_ == end_) return false;
  record_ = more_ != nullptr ? more_->read_record() : std::string_view();
  return true;
}

}  // namespace barlist::records
