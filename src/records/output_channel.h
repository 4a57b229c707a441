// A numbered output channel: records become bytes by the channel's line
// discipline and are buffered, so a record costs no system call.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "records/file_descriptor.h"
#include "records/format.h"
#include "records/layout.h"
#include "records/values.h"

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

class OutputChannel : private RecordSink {
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

  // Free-form list output: one record holding a blank, then each text in turn.
  void list_write(std::initializer_list<std::string_view> texts);

  void flush();
  // Completes the last line of an ASA channel, flushes and closes. Closing
  // twice, or after a failure, does nothing.
  void close();

  int fd() const { return fd_.get(); }

 private:
  void emit(std::string_view record, bool line_end) override;
  void put(std::string_view bytes);
  void put(char byte);

  int unit_;
  std::string path_;
  FileDescriptor fd_;
  OutputOptions options_;
  bool line_end_pending_ = false;
  bool failed_ = false;
  std::vector<char> buffer_;
};

}  // namespace barlist::records
