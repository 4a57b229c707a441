// A numbered output channel: records become bytes by the channel's line
// discipline and are buffered, so a record costs no system call.
#pragma once

#include <array>
#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

#include "records/data_shapes.h"
#include "records/fields.h"
#include "records/file_descriptor.h"
#include "records/layout.h"
#include "records/values.h"
#include "records/write_plan.h"

namespace barlist::records {

enum class LineDiscipline {
  Plain,  // each record's characters then CR LF; a record ended by $ has none
  Asa,    // the first character is carriage control, turned into LF, FF and CR
};

struct OutputOptions {
  LineDiscipline discipline = LineDiscipline::Plain;
  bool cut_at_first_record = false;  // an existing file confirmed for overwriting
  bool flush_each_record = false;    // the console and standard output
};

template <typename Sink>
class RecordWriter;

class OutputChannel {
 public:
  OutputChannel(int unit, std::string path, FileDescriptor fd, OutputOptions options);
  ~OutputChannel();
  OutputChannel(const OutputChannel&) = delete;
  OutputChannel& operator=(const OutputChannel&) = delete;

  // write_record: one record per / in the layout, plus one.
  void write(const Layout& layout, std::initializer_list<Value> values) {
    write(layout, std::span<const Value>(values.begin(), values.size()));
  }
  void write(const Layout& layout, std::span<const Value> values);
  // The same with the values' kinds checked against the layout by the
  // compiler (records/data_shapes.h): write<kLumpWeightLine>(weight, count).
  // Without runs of cells the write follows a plan the compiler made
  // (records/write_plan.h).
  template <const Layout& layout, typename... Values>
  void write(const Values&... values) {
    static_assert(values_fit<layout, Values...>(), "the values do not suit the layout's data items");
    if constexpr (((value_shape<Values>() != DataShape::TextCells) && ...)) {
      write_planned<layout>(values...);
    } else {
      const std::array<Value, sizeof...(Values)> list{Value(values)...};
      write(layout, std::span<const Value>(list));
    }
  }

  // Free-form list output: one record holding a blank, then each text in turn.
  void list_write(std::initializer_list<std::string_view> texts);

  void flush();
  // Completes the last line of an ASA channel, flushes and closes. Closing
  // twice, or after a failure, does nothing.
  void close();

  int fd() const { return fd_.get(); }

 private:
  template <const Layout& layout, typename... Values>
  void write_planned(const Values&... values);

  // What a RecordWriter builds its records in (records/record_writer.h).
  friend class RecordWriter<OutputChannel>;
  char* begin_record(int columns);
  void end_record(int length, bool line_end);

  void put_record(std::string_view record, bool line_end);
  std::string_view asa_lead(char control) const;
  void cut_old_contents();
  void put(std::string_view bytes);
  void put(char byte);

  int unit_;
  std::string path_;
  FileDescriptor fd_;
  OutputOptions options_;
  bool line_end_pending_ = false;
  bool failed_ = false;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;  // bytes in the buffer
};

// The plan's steps, one after the other, each with its constants.
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
  if (options_.flush_each_record) flush();
}

}  // namespace barlist::records
