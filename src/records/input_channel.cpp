#include "records/input_channel.h"

#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "records/fatal.h"

namespace barlist::records {

InputChannel::InputChannel(int unit, std::string path, FileDescriptor fd)
    : unit_(unit), path_(std::move(path)), fd_(std::move(fd)) {
  data_ = buffer_.data();  // the buffer is declared after the pointer to it
}

InputChannel::InputChannel(int unit, std::string path, std::string_view bytes)
    : unit_(unit), path_(std::move(path)), at_end_(true), end_(bytes.size()), data_(bytes.data()) {}

InputChannel::~InputChannel() { close(); }

// Moves the part of a record already in the buffer to its front and reads
// more after it; false at the end of the file.
bool InputChannel::fill() {
  if (at_end_ || !fd_) return false;
  const std::size_t kept = end_ - start_;
  std::memmove(buffer_.data(), buffer_.data() + start_, kept);
  start_ = 0;
  end_ = kept;
  for (;;) {
    const ssize_t n = ::read(fd_.get(), buffer_.data() + end_, buffer_.size() - end_);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw FatalError(kReadFailure, unit_, path_, errno);
    if (n == 0) {
      at_end_ = true;
      return false;
    }
    end_ += static_cast<std::size_t>(n);
    return true;
  }
}

std::optional<std::string_view> InputChannel::next_record() {
  for (;;) {
    const char* begin = data_ + start_;
    const std::size_t available = end_ - start_;
    if (const auto* newline = static_cast<const char*>(std::memchr(begin, '\n', available))) {
      const std::size_t start = start_;
      const auto length = static_cast<std::size_t>(newline - begin);
      start_ += length + 1;
      return record_at(start, length, true);
    }
    if (available == buffer_.size() && !at_end_) return longer_than_buffer();
    if (!fill()) {
      if (start_ == end_) return std::nullopt;
      const std::size_t start = start_;
      start_ = end_;
      return record_at(start, end_ - start, false);  // a last line without LF
    }
  }
}

std::string_view InputChannel::record_at(std::size_t start, std::size_t length, bool ended_by_newline) const {
  // One CR just before the LF is not part of the record.
  if (ended_by_newline && length > 0 && data_[start + length - 1] == '\r') --length;
  return {data_ + start, std::min(length, kMaxColumns)};
}

// A line that fills the whole buffer: its first kMaxColumns bytes are kept
// apart and the rest is read past, up to its LF.
std::string_view InputChannel::longer_than_buffer() {
  std::memcpy(record_.data(), buffer_.data() + start_, kMaxColumns);
  for (;;) {
    start_ = end_;
    if (!fill()) break;  // the file ends inside the line
    const char* begin = buffer_.data() + start_;
    if (const auto* newline = static_cast<const char*>(std::memchr(begin, '\n', end_ - start_))) {
      start_ += static_cast<std::size_t>(newline - begin) + 1;
      break;
    }
  }
  return {record_.data(), kMaxColumns};
}

std::string_view InputChannel::read_record() {
  const std::optional<std::string_view> record = next_record();
  if (!record) throw FatalError(kEndOfFile, unit_, path_);
  return *record;
}

void InputChannel::read_record(const Layout& layout, std::initializer_list<Target> targets) {
  const std::span<const Target> fields(targets.begin(), targets.size());
  if (!read_records(layout, read_record(), fields, this).ok()) conversion_failed();
}

void InputChannel::decode(std::string_view record, const Layout& layout, std::initializer_list<Target> targets) const {
  const std::span<const Target> fields(targets.begin(), targets.size());
  if (!read_records(layout, record, fields, nullptr).ok()) conversion_failed();
}

void InputChannel::conversion_failed() const { throw FatalError(kConversionError, unit_, path_); }

void InputChannel::rewind() {
  if (data_ != buffer_.data()) {
    start_ = 0;
    return;
  }
  if (!fd_ || ::lseek(fd_.get(), 0, SEEK_SET) != 0) throw FatalError(kReadFailure, unit_, path_);
  at_end_ = false;
  start_ = end_ = 0;
}

void InputChannel::close() { fd_.close(); }

}  // namespace barlist::records
