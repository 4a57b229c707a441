// An open file descriptor with its owner: an owned descriptor is closed when
// its holder goes, on every path; a borrowed one (standard input, output and
// error) is never closed by us.
#pragma once

#include <unistd.h>

#include <utility>

namespace barlist::records {

class FileDescriptor {
 public:
  FileDescriptor() = default;
  static FileDescriptor own(int fd) { return FileDescriptor(fd, true); }
  static FileDescriptor borrow(int fd) { return FileDescriptor(fd, false); }

  FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)), owned_(other.owned_) {}
  FileDescriptor& operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
      close();
      fd_ = std::exchange(other.fd_, -1);
      owned_ = other.owned_;
    }
    return *this;
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() { close(); }

  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }

  // Closes an owned descriptor; false when the system reports a failure
  // (the data written may not have reached the file).
  bool close() {
    const int fd = std::exchange(fd_, -1);
    if (fd < 0 || !owned_) return true;
    return ::close(fd) == 0;
  }

 private:
  FileDescriptor(int fd, bool owned) : fd_(fd), owned_(owned) {}

  int fd_ = -1;
  bool owned_ = true;
};

}  // namespace barlist::records
