#include "records/input_channel.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "records/fatal.h"

namespace barlist::records {

InputChannel::InputChannel(int unit, std::string path, FileDescriptor fd)
    : unit_(unit), path_(std::move(path)), fd_(std::move(fd)) {}

InputChannel::~InputChannel() { close(); }

bool InputChannel::fill() {
  if (at_end_ || !fd_) return false;
  for (;;) {
    const ssize_t n = ::read(fd_.get(), buffer_.data(), buffer_.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw FatalError(kReadFailure, unit_, path_, errno);
    if (n == 0) {
      at_end_ = true;
      return false;
    }
    start_ = 0;
    end_ = static_cast<std::size_t>(n);
    return true;
  }
}

std::optional<std::string_view> InputChannel::next_record() {
  if (start_ == end_ && !fill()) return std::nullopt;
  std::size_t kept = 0;   // bytes of the record held in record_
  std::size_t total = 0;  // bytes of the record in all
  char last = 0;
  bool ended_by_newline = false;
  for (;;) {
    const char* begin = buffer_.data() + start_;
    const std::size_t available = end_ - start_;
    const auto* newline = static_cast<const char*>(std::memchr(begin, '\n', available));
    const std::size_t length = newline ? static_cast<std::size_t>(newline - begin) : available;
    const std::size_t room = kMaxColumns - kept;
    const std::size_t take = length < room ? length : room;
    std::memcpy(record_.data() + kept, begin, take);
    kept += take;
    total += length;
    if (length > 0) last = begin[length - 1];
    start_ += length;
    if (newline) {
      ++start_;
      ended_by_newline = true;
      break;
    }
    if (!fill()) break;  // a last line without LF
  }
  // One CR just before the LF is not part of the record.
  if (ended_by_newline && last == '\r' && kept == total && kept > 0) --kept;
  return std::string_view(record_.data(), kept);
}

std::string_view InputChannel::read_record() {
  const std::optional<std::string_view> record = next_record();
  if (!record) throw FatalError(kEndOfFile, unit_, path_);
  return *record;
}

void InputChannel::read_record(const Layout& layout, std::initializer_list<Target> targets) {
  const std::span<const Target> fields(targets.begin(), targets.size());
  if (decode_fields(read_record(), layout, fields, *this) != ReadStatus::Ok) {
    throw FatalError(kConversionError, unit_, path_);
  }
}

void InputChannel::decode(std::string_view record, const Layout& layout, std::initializer_list<Target> targets) const {
  if (decode_fields(record, layout, targets) != ReadStatus::Ok) throw FatalError(kConversionError, unit_, path_);
}

void InputChannel::rewind() {
  if (!fd_ || ::lseek(fd_.get(), 0, SEEK_SET) != 0) throw FatalError(kReadFailure, unit_, path_);
  at_end_ = false;
  start_ = end_ = 0;
}

void InputChannel::close() { fd_.close(); }

}  // namespace barlist::records
