#include "records/output_channel.h"

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

#include "records/fatal.h"
#include "records/fields.h"

namespace barlist::records {
namespace {

constexpr std::size_t kBufferSize = 1 << 16;
constexpr char LF = 10;
constexpr char CR = 13;

// An ASA record's line ends with CR unless its control is '$' or NUL.
bool ends_with_cr(char control) { return control != '$' && control != '\0'; }

}  // namespace

OutputChannel::OutputChannel(int unit, std::string path, FileDescriptor fd, OutputOptions options)
    : unit_(unit), path_(std::move(path)), fd_(std::move(fd)), options_(options), buffer_(new char[kBufferSize]) {}

OutputChannel::OutputChannel(int unit, std::string path, std::string& bytes, OutputOptions options)
    : unit_(unit), path_(std::move(path)), memory_(&bytes), options_(options), buffer_(new char[kBufferSize]) {
  options_.cut_at_first_record = false;  // nothing was there before
}

OutputChannel::~OutputChannel() {
  // A channel left open by a failure elsewhere: keep what was written.
  try {
    close();
  } catch (...) {
  }
}

void OutputChannel::write(const Layout& layout, std::span<const Value> values) {
  write_records(layout, values, *this);
  if (options_.flush_each_record) flush();
}

void OutputChannel::list_write(std::initializer_list<std::string_view> texts) {
  std::string record(1, ' ');
  for (const std::string_view text : texts) record += text;
  put_record(record, true);
  if (options_.flush_each_record) flush();
}

// A record is built where its bytes go: in the buffer, after one byte of room
// on an ASA channel, where the control character's lead (two bytes at most)
// replaces it. A record and its line end always fit an emptied buffer.
char* OutputChannel::begin_record(int columns) {
  if (kBufferSize - used_ < static_cast<std::size_t>(columns) + 3) flush();
  return buffer_.get() + used_ + (options_.discipline == LineDiscipline::Asa ? 1 : 0);
}

void OutputChannel::end_record(int length, bool line_end) {
  cut_old_contents();
  const auto columns = static_cast<std::size_t>(length);
  if (options_.discipline == LineDiscipline::Plain) {
    used_ += columns;
    if (line_end) {
      buffer_[used_++] = CR;
      buffer_[used_++] = LF;
    }
    return;
  }
  char* record = buffer_.get() + used_ + 1;
  const char control = columns == 0 ? ' ' : record[0];
  const std::size_t text_length = columns == 0 ? 0 : columns - 1;
  const std::string_view lead = asa_lead(control);
  char* out = buffer_.get() + used_;
  if (lead.size() != 2) std::memmove(out + lead.size(), record + 1, text_length);
  copy_characters(out, lead.data(), lead.size());
  used_ += lead.size() + text_length;
  if (ends_with_cr(control)) buffer_[used_++] = CR;
  line_end_pending_ = true;
}

void OutputChannel::put_record(std::string_view record, bool line_end) {
  cut_old_contents();
  if (options_.discipline == LineDiscipline::Plain) {
    put(record);
    if (line_end) put("\r\n");
    return;
  }
  const char control = record.empty() ? ' ' : record.front();
  put(asa_lead(control));
  put(record.empty() ? record : record.substr(1));
  if (ends_with_cr(control)) put(CR);
  line_end_pending_ = true;
}

// ASA carriage control: the line end of the previous record is completed (or
// replaced by a form feed) before this record's text.
std::string_view OutputChannel::asa_lead(char control) const {
  switch (control) {
    case '1':
      return "\f";
    case '0':
      return line_end_pending_ ? "\n\n" : "\n";
    case '+':
    case '\0':
      return {};
    default:  // ' ', '$' and any other character
      return line_end_pending_ ? "\n" : "";
  }
}

// A confirmed existing file loses its old contents only when the first record
// arrives; one that never gets a record stays as it was.
void OutputChannel::cut_old_contents() {
  if (!options_.cut_at_first_record) return;
  options_.cut_at_first_record = false;
  struct stat info {};
  if (fstat(fd_.get(), &info) == 0 && S_ISREG(info.st_mode) && ftruncate(fd_.get(), 0) != 0) {
    failed_ = true;
    throw FatalError(kWriteFailure, unit_, path_, errno);
  }
}

void OutputChannel::put(std::string_view bytes) {
  while (bytes.size() > kBufferSize - used_) {  // only a free-form record longer than the buffer loops
    const std::size_t room = kBufferSize - used_;
    std::memcpy(buffer_.get() + used_, bytes.data(), room);
    used_ = kBufferSize;
    bytes.remove_prefix(room);
    flush();
  }
  std::memcpy(buffer_.get() + used_, bytes.data(), bytes.size());
  used_ += bytes.size();
}

void OutputChannel::put(char byte) {
  if (used_ == kBufferSize) flush();
  buffer_[used_++] = byte;
}

void OutputChannel::flush() {
  if (memory_ != nullptr) {
    memory_->append(buffer_.get(), used_);
    used_ = 0;
    return;
  }
  if (failed_ || !fd_) {
    used_ = 0;
    return;
  }
  std::size_t done = 0;
  while (done < used_) {
    const ssize_t n = ::write(fd_.get(), buffer_.get() + done, used_ - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const int error = n < 0 ? errno : ENOSPC;
      failed_ = true;
      used_ = 0;
      throw FatalError(kWriteFailure, unit_, path_, error);
    }
    done += static_cast<std::size_t>(n);
  }
  used_ = 0;
}

void OutputChannel::close() {
  if (!fd_ && memory_ == nullptr) return;
  if (!failed_ && options_.discipline == LineDiscipline::Asa && line_end_pending_) {
    put(LF);
    line_end_pending_ = false;
  }
  if (memory_ != nullptr) {
    flush();
    memory_ = nullptr;
    return;
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
