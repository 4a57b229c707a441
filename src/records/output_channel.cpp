#include "records/output_channel.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "records/fatal.h"

namespace barlist::records {
namespace {

constexpr std::size_t kBufferSize = 1 << 16;
constexpr char LF = 10;
constexpr char CR = 13;
constexpr char FF = 12;

}  // namespace

OutputChannel::OutputChannel(int unit, std::string path, FileDescriptor fd, OutputOptions options)
    : unit_(unit), path_(std::move(path)), fd_(std::move(fd)), options_(options) {
  buffer_.reserve(kBufferSize);
}

OutputChannel::~OutputChannel() {
  // A channel left open by a failure elsewhere: keep what was written.
  try {
    close();
  } catch (...) {
  }
}

void OutputChannel::write(const Layout& layout, std::span<const Value> values) {
  format_records(layout, values, *this);
  if (options_.flush_each_record) flush();
}

void OutputChannel::list_write(std::initializer_list<std::string_view> texts) {
  std::string record(1, ' ');
  for (const std::string_view text : texts) record += text;
  emit(record, true);
  if (options_.flush_each_record) flush();
}

void OutputChannel::emit(std::string_view record, bool line_end) {
  if (options_.cut_at_first_record) {
    // A confirmed existing file loses its old contents only when the first
    // record arrives; one that never gets a record stays as it was.
    options_.cut_at_first_record = false;
    struct stat info {};
    if (fstat(fd_.get(), &info) == 0 && S_ISREG(info.st_mode) && ftruncate(fd_.get(), 0) != 0) {
      failed_ = true;
      throw FatalError(kWriteFailure, unit_, path_, errno);
    }
  }
  if (options_.discipline == LineDiscipline::Plain) {
    put(record);
    if (line_end) put("\r\n");
    return;
  }
  // ASA carriage control: the line end of the previous record is completed
  // (or replaced by a form feed) before this record's text.
  const char control = record.empty() ? ' ' : record.front();
  const std::string_view text = record.empty() ? record : record.substr(1);
  switch (control) {
    case '1':
      put(FF);
      put(text);
      put(CR);
      break;
    case '0':
      if (line_end_pending_) put(LF);
      put(LF);
      put(text);
      put(CR);
      break;
    case '+':
      put(text);
      put(CR);
      break;
    case '$':
      if (line_end_pending_) put(LF);
      put(text);
      break;
    case '\0':
      put(text);
      break;
    default:
      if (line_end_pending_) put(LF);
      put(text);
      put(CR);
      break;
  }
  line_end_pending_ = true;
}

void OutputChannel::put(std::string_view bytes) {
  if (buffer_.size() + bytes.size() > kBufferSize) flush();
  buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
}

void OutputChannel::put(char byte) {
  if (buffer_.size() >= kBufferSize) flush();
  buffer_.push_back(byte);
}

void OutputChannel::flush() {
  if (failed_ || !fd_) {
    buffer_.clear();
    return;
  }
  std::size_t done = 0;
  while (done < buffer_.size()) {
    const ssize_t n = ::write(fd_.get(), buffer_.data() + done, buffer_.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const int error = n < 0 ? errno : ENOSPC;
      failed_ = true;
      buffer_.clear();
      throw FatalError(kWriteFailure, unit_, path_, error);
    }
    done += static_cast<std::size_t>(n);
  }
  buffer_.clear();
}

void OutputChannel::close() {
  if (!fd_) return;
  if (!failed_ && options_.discipline == LineDiscipline::Asa && line_end_pending_) {
    put(LF);
    line_end_pending_ = false;
  }
  try {
    flush();
  } catch (...) {
    fd_.close();
    throw;
  }
  if (!fd_.close() && errno != EINTR) throw FatalError(kWriteFailure, unit_, path_, errno);
}

}  // namespace barlist::records
