// Output's side of the layout walk: the values go into the fields of records
// built in space a sink lends, any class with
//   char* begin_record(int columns);           room for a record of up to `columns`
//   void end_record(int length, bool line_end);  the record there is finished
// (`line_end` is false only for a record ended by $). An output channel lends
// its own buffer, so a record is not copied; RecordBuffer serves a sink that
// takes each finished record as text.
#pragma once

#include <algorithm>
#include <cstring>
#include <span>
#include <stdexcept>
#include <string_view>

#include "records/fields.h"
#include "records/layout.h"
#include "records/values.h"

namespace barlist::records {

// Hands out the values one data item at a time, splitting text runs into cells.
class ValueCursor {
 public:
  explicit ValueCursor(std::span<const Value> values) : next_(values.data()), end_(values.data() + values.size()) {}

  bool done() const { return next_ == end_; }
  const Value& value() const { return *next_; }
  // The text of the current cell of a text value.
  std::string_view cell() const {
    const std::string_view text = next_->text();
    return text.substr(offset_, std::min(next_->cell(), text.size() - offset_));
  }

  void advance() {
    if (next_->kind() == Value::Kind::Text) {
      offset_ += next_->cell();
      if (offset_ < next_->text().size()) return;  // more cells of this text
      offset_ = 0;
    }
    ++next_;
  }

 private:
  const Value* next_;
  const Value* end_;
  std::size_t offset_ = 0;  // of the current cell in a text value
};

// A record is blank before its fields are written, so a field writes only
// its own characters and a skip costs nothing.
template <typename Sink>
class RecordWriter {
 public:
  RecordWriter(const Layout& layout, std::span<const Value> values, Sink& sink)
      : values_(values), sink_(sink), widest_(layout.widest_record()) {
    begin_record();
  }

  void literal(const Step& step) { copy_characters(reserve(step.column, step.width), step.text.data(), step.width); }

  bool fields(const Step& step) {
    for (int r = 0; r < step.repeat; ++r) {
      if (values_.done()) return false;  // output stops at the first data item without a value
      field(step, reserve(step.column + r * step.width, step.width));
      values_.advance();
    }
    return true;
  }

  bool next_record() {
    sink_.end_record(length_, true);
    begin_record();
    return true;
  }
  void leave_line_open() { line_end_ = false; }
  bool more() const { return !values_.done(); }

  // Hands over the last record, ended by the layout's end or by a data item
  // without a value.
  void finish() { sink_.end_record(length_, line_end_); }

 private:
  void begin_record() {
    record_ = sink_.begin_record(widest_);
    std::memset(record_, ' ', static_cast<std::size_t>(widest_));
    length_ = 0;
  }

  // Steps come in column order and within the layout's widest record.
  char* reserve(int column, int width) {
    length_ = column + width;
    return record_ + column;
  }

  void field(const Step& step, char* out) {
    const Value& value = values_.value();
    switch (step.kind) {
      case ItemKind::Text:
        if (value.kind() != Value::Kind::Text) throw std::logic_error("text field given a number");
        put_text(out, step.width, values_.cell());
        break;
      case ItemKind::Integer:
        if (value.kind() != Value::Kind::Integer) throw std::logic_error("integer field given another value");
        put_integer(out, step.width, value.integer());
        break;
      default:
        if (value.kind() != Value::Kind::Real) throw std::logic_error("real field given another value");
        put_real(out, step.width, step.decimals, value.real());
        break;
    }
  }

  ValueCursor values_;
  Sink& sink_;
  const int widest_;      // the layout's longest record
  char* record_;          // the record being built
  int length_ = 0;        // its columns written so far
  bool line_end_ = true;  // false after $
};

// Record space for a sink that takes each finished record as text:
//   void emit(std::string_view record, bool line_end);
template <typename TextSink>
class RecordBuffer {
 public:
  explicit RecordBuffer(TextSink& sink) : sink_(sink) {}

  char* begin_record(int) { return record_; }
  void end_record(int length, bool line_end) {
    sink_.emit(std::string_view(record_, static_cast<std::size_t>(length)), line_end);
  }

 private:
  TextSink& sink_;
  char record_[kMaxRecordColumns];
};

}  // namespace barlist::records
