#include "records/decode.h"

#include <algorithm>
#include <cstring>

#include "records/record_writer.h"
#include "records/walk.h"

namespace barlist::records {
namespace {

// Hands out the targets one data item at a time, splitting text runs into cells.
class TargetCursor {
 public:
  explicit TargetCursor(std::span<const Target> targets)
      : next_(targets.data()), end_(targets.data() + targets.size()) {}

  bool done() const { return next_ == end_; }
  const Target& target() const { return *next_; }
  char* cell_text() const { return next_->text() + offset_; }
  std::size_t cell_length() const { return std::min(next_->cell(), next_->length() - offset_); }

  void advance() {
    if (next_->kind() == Target::Kind::Text) {
      offset_ += next_->cell();
      if (offset_ < next_->length()) return;  // more cells of this text
      offset_ = 0;
    }
    ++next_;
  }

 private:
  const Target* next_;
  const Target* end_;
  std::size_t offset_ = 0;  // of the current cell in a text target
};

// Input's side of the layout walk: each field of the record into its target.
class RecordReader {
 public:
  RecordReader(std::string_view record, std::span<const Target> targets, RecordSource& more)
      : record_(record), targets_(targets), more_(more) {}

  void literal(const Step&) {}  // literals and $ have no meaning on input
  void leave_line_open() {}

  bool fields(const Step& step) {
    for (int r = 0; r < step.repeat; ++r) {
      if (targets_.done()) return false;
      status_ = read_field(step, field_at(record_, step.input_column + r * step.width, step.width, padded_));
      targets_.advance();
      if (status_ != ReadStatus::Ok) return false;
    }
    return true;
  }

  bool next_record() {
    if (targets_.done()) return false;  // nothing more to read: leave the next record unread
    record_ = more_.following_record();
    return true;
  }
  bool more() const { return !targets_.done(); }

  ReadStatus status() const { return status_; }

 private:
  ReadStatus read_field(const Step& step, std::string_view field) const {
    const Target& target = targets_.target();
    switch (target.kind()) {
      case Target::Kind::Text:
        get_text(field, targets_.cell_text(), targets_.cell_length());
        return ReadStatus::Ok;
      case Target::Kind::Integer:
        return read_integer(field, *target.integer());
      case Target::Kind::Real:
        return read_real(field, step.kind == ItemKind::Real ? step.decimals : 0, *target.real());
    }
    return ReadStatus::Ok;
  }

  std::string_view record_;
  TargetCursor targets_;
  RecordSource& more_;
  ReadStatus status_ = ReadStatus::Ok;
  char padded_[kMaxRecordColumns];
};

// Keeps the first record only, cut or blank-padded to the cell.
class CellSink {
 public:
  explicit CellSink(std::span<char> cell) : cell_(cell) {}
  void emit(std::string_view record, bool) {
    if (written_) return;
    written_ = true;
    const std::size_t n = std::min(record.size(), cell_.size());
    std::memcpy(cell_.data(), record.data(), n);
    std::memset(cell_.data() + n, ' ', cell_.size() - n);
  }

 private:
  std::span<char> cell_;
  bool written_ = false;
};

}  // namespace

ReadStatus decode_fields(std::string_view record, const Layout& layout, std::span<const Target> targets) {
  BlankRecords blank;
  return decode_fields(record, layout, targets, blank);
}

ReadStatus decode_fields(std::string_view record, const Layout& layout, std::span<const Target> targets,
                         RecordSource& more) {
  RecordReader reader(record, targets, more);
  walk(layout, reader);
  return reader.status();
}

void encode_fields(std::span<char> cell, const Layout& layout, const Value& value) {
  CellSink sink(cell);
  RecordBuffer<CellSink> buffer(sink);
  RecordWriter<RecordBuffer<CellSink>> writer(layout, std::span<const Value>(&value, 1), buffer);
  walk(layout, writer);
  writer.finish();
}

}  // namespace barlist::records
