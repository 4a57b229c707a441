// An output channel over a temporary file whose bytes a test can read back.
#pragma once

#include <unistd.h>
#include <cstdio>
#include <string>

#include "records/output_channel.h"

namespace barlist::testing {

class ChannelCapture {
 public:
  explicit ChannelCapture(records::LineDiscipline discipline)
      : file_(std::tmpfile()),
        channel_(9, "capture", records::FileDescriptor::own(dup(fileno(file_))), {.discipline = discipline}) {}
  ~ChannelCapture() { std::fclose(file_); }

  records::OutputChannel& channel() { return channel_; }

  // Closes the channel and returns every byte written.
  std::string bytes() {
    channel_.close();
    std::string out;
    std::rewind(file_);
    for (int c; (c = std::fgetc(file_)) != EOF;) out.push_back(static_cast<char>(c));
    return out;
  }

 private:
  std::FILE* file_;
  records::OutputChannel channel_;
};

}  // namespace barlist::testing
