// A numbered output channel: records become bytes by the channel's line
// discipline and are buffered, so a record costs no system call. The bytes go
// to a file, or are kept in memory for a caller that wants them as data.
#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

#include "records/fields.h"
#include "records/file_descriptor.h"
#include "records/layout.h"
#include "records/values.h"
#include "records/write_plan.h"

namespace barlist::records {

// Output's side of the layout walk: the values go into the fields of records
// built in space a sink lends, any class with
//   char* begin_record(int columns);             room for a record of up to `columns`
//   void end_record(int length, bool line_end);  the record there is finished
// (`line_end` is false only for a record ended by $). A record is blank
// before its fields are written, so a field writes only its own characters
// and a skip costs nothing.
template <typename Sink>
class RecordWriter {
 public:
  [[gnu::always_inline]] RecordWriter(int widest, std::span<const Value> values, Sink& sink)
      : next_(values.data()), end_(values.data() + values.size()), sink_(sink), widest_(widest) {
    begin_record();
  }

  [[gnu::always_inline]] void literal(const Item& item) {
    copy_characters(record_ + item.column, item.text.data(), item.width);
    length_ = item.column + item.width;
  }

  [[gnu::always_inline]] bool fields(const Item& item) {
#if !defined(__clang__)
#pragma GCC unroll 16
#endif
    for (int r = 0; r < item.repeat; ++r) {
      if (next_ == end_) return false;  // output stops at the first data item without a value
      const int column = item.column + r * item.width;
      field(item, record_ + column);
      length_ = column + item.width;
    }
    return true;
  }

  [[gnu::always_inline]] bool next_record() {
    sink_.end_record(length_, true);
    begin_record();
    return true;
  }
  [[gnu::always_inline]] void leave_line_open() { line_end_ = false; }
  [[gnu::always_inline]] bool more() const { return next_ != end_; }

  // Hands over the last record, ended by the layout's end or by a data item
  // without a value.
  [[gnu::always_inline]] void finish() { sink_.end_record(length_, line_end_); }

 private:
  [[gnu::always_inline]] void begin_record() {
    record_ = sink_.begin_record(widest_);
    std::memset(record_, ' ', static_cast<std::size_t>(widest_));
    length_ = 0;
  }

  // One data item's value; a run of text cells gives one cell to each item.
  [[gnu::always_inline]] void field(const Item& item, char* out) {
    const Value& value = *next_;
    if (value.kind() != item.kind) throw std::logic_error("a value does not suit its data item");
    switch (item.kind) {
      case ItemKind::Text: {
        const std::string_view text = value.text();
        const std::size_t cell = std::min(value.cell(), text.size() - offset_);
        put_text(out, item.width, std::string_view(text.data() + offset_, cell));
        offset_ += cell;
        if (offset_ < text.size()) return;  // more cells of this text
        offset_ = 0;
        break;
      }
      case ItemKind::Integer:
        put_integer(out, item.width, value.integer());
        break;
      default:
        put_real(out, item.width, item.decimals, value.real());
        break;
    }
    ++next_;
  }

  const Value* next_;
  const Value* end_;
  std::size_t offset_ = 0;  // of the current cell in a text value
  Sink& sink_;
  const int widest_;      // the layout's longest record
  char* record_;          // the record being built
  int length_ = 0;        // its columns written so far
  bool line_end_ = true;  // false after $
};

// Every way of writing values with a layout: the walk with a RecordWriter.
template <typename Sink>
[[gnu::always_inline]] inline void write_records(const Layout& layout, std::span<const Value> values, Sink& sink) {
  RecordWriter<Sink> writer(layout.widest_record(), values, sink);
  walk(layout, writer);
  writer.finish();
}

enum class LineDiscipline {
  Plain,  // each record's characters then CR LF; a record ended by $ has none
  Asa,    // the first character is carriage control, turned into LF, FF and CR
};

struct OutputOptions {
  LineDiscipline discipline = LineDiscipline::Plain;
  bool cut_at_first_record = false;  // an existing file confirmed for overwriting
  bool flush_each_record = false;    // the console and standard output
};

class OutputChannel {
 public:
  OutputChannel(int unit, std::string path, FileDescriptor fd, OutputOptions options);
  // Into `bytes`, which the caller keeps while the channel is open: each
  // flush appends to it.
  OutputChannel(int unit, std::string path, std::string& bytes, OutputOptions options);
  ~OutputChannel();
  OutputChannel(const OutputChannel&) = delete;
  OutputChannel& operator=(const OutputChannel&) = delete;

  // One record per / in the layout, plus one.
  void write(const Layout& layout, std::initializer_list<Value> values) {
    write(layout, std::span<const Value>(values.begin(), values.size()));
  }
  void write(const Layout& layout, std::span<const Value> values);
  // The same with the values' kinds checked against the layout by the
  // compiler, and the layout's columns and widths made constants:
  // write<kLumpWeightLine>(weight, count).
  // Single values of known kinds follow the compiler's plan of the write
  // (records/write_plan.h); a run of cells or a Value takes the walk.
  template <const Layout& layout, typename... Values>
  void write(const Values&... values) {
    static_assert(arguments_fit<layout, Values...>(), "the values do not suit the layout's data items");
    if constexpr ((single_value<Values>() && ...)) {
      write_planned<layout>(values...);
    } else {
      // One spare value, never read: g++ cannot always see that output
      // stops at the last value, and warns of a read past it.
      const std::array<Value, sizeof...(Values) + 1> list{Value(values)..., Value(0)};
      write_records(layout, std::span<const Value>(list.data(), sizeof...(Values)), *this);
    }
    if (options_.flush_each_record) flush();
  }

  // Free-form list output: one record holding a blank, then each text in turn.
  void list_write(std::initializer_list<std::string_view> texts);

  void flush();
  // Completes the last line of an ASA channel, flushes and closes. Closing
  // twice, or after a failure, does nothing.
  void close();

  int fd() const { return fd_.get(); }

 private:
  // Where a RecordWriter builds its records: in the channel's buffer.
  friend class RecordWriter<OutputChannel>;
  char* begin_record(int columns);
  void end_record(int length, bool line_end);

  template <const Layout& layout, typename... Values>
  void write_planned(const Values&... values);

  void put_record(std::string_view record, bool line_end);
  std::string_view asa_lead(char control) const;
  void cut_old_contents();
  void put(std::string_view bytes);
  void put(char byte);

  int unit_;
  std::string path_;
  FileDescriptor fd_;
  std::string* memory_ = nullptr;  // the bytes in memory while open, instead of the file
  OutputOptions options_;
  bool line_end_pending_ = false;
  bool failed_ = false;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;  // bytes in the buffer
};

// The plan's steps one after the other, each with its constants.
template <const Layout& layout, typename... Values>
void OutputChannel::write_planned(const Values&... values) {
  static constexpr auto kPlan = plan_write<layout, sizeof...(Values)>();
  const int widest = layout.widest_record();
  char* record = begin_record(widest);
  std::memset(record, ' ', static_cast<std::size_t>(widest));
  const auto arguments = std::forward_as_tuple(values...);
  const auto take = [&]<std::size_t s>() {
    constexpr PlannedStep kStep = kPlan.steps[s];
    char* out = record + kStep.column;
    if constexpr (kStep.kind == ItemKind::Literal) {
      copy_characters(out, kStep.text.data(), kStep.width);
    } else if constexpr (kStep.kind == ItemKind::Slash) {
      end_record(kStep.length, true);
      record = begin_record(widest);
      std::memset(record, ' ', static_cast<std::size_t>(widest));
    } else if constexpr (kStep.kind == ItemKind::Text) {
      put_text(out, kStep.width, text_of(std::get<kStep.value>(arguments)));
    } else if constexpr (kStep.kind == ItemKind::Integer) {
      put_integer(out, kStep.width, std::get<kStep.value>(arguments));
    } else {
      put_real(out, kStep.width, kStep.decimals, std::get<kStep.value>(arguments));
    }
  };
  [&]<std::size_t... s>(std::index_sequence<s...>) { (take.template operator()<s>(), ...); }
  (std::make_index_sequence<kPlan.steps.size()>());
  end_record(kPlan.last_length, kPlan.line_end);
}

}  // namespace barlist::records
