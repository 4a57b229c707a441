#include "driver/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <streambuf>
#include <vector>

#include "records/file_descriptor.h"

namespace barlist::driver {
namespace {

using records::FileDescriptor;

// An output stream buffer over a descriptor that remembers why a write
// failed, so the caller can name the reason.
class DescriptorBuffer final : public std::streambuf {
 public:
  explicit DescriptorBuffer(int fd) : fd_(fd) { setp(buffer_.data(), buffer_.data() + buffer_.size()); }
  int error() const { return error_; }

 protected:
  int_type overflow(int_type c) override {
    if (!drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }
  int sync() override { return drain() ? 0 : -1; }

 private:
  bool drain() {
    const char* next = pbase();
    while (next < pptr()) {
      const ssize_t n = ::write(fd_, next, static_cast<std::size_t>(pptr() - next));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        error_ = n < 0 ? errno : EIO;
        return false;
      }
      next += n;
    }
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return error_ == 0;
  }

  int fd_;
  int error_ = 0;
  std::array<char, 65536> buffer_{};
};

// Runs the writer over the descriptor; 0 or the error.
int write_through(int fd, const FileWriter& write) {
  DescriptorBuffer buffer(fd);
  std::ostream out(&buffer);
  write(out);
  out.flush();
  if (buffer.error() != 0) return buffer.error();
  return out ? 0 : EIO;
}

// The file a chain of symbolic links ends at (the name itself when it is
// not a link), so that replacing it keeps the links.
std::string link_target(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    std::vector<char> text(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) + 1);
    const ssize_t n = ::readlink(path.c_str(), text.data(), text.size());
    if (n < 0 || static_cast<std::size_t>(n) >= text.size()) return path;
    std::string next(text.data(), static_cast<std::size_t>(n));
    if (next.front() != '/') {
      const std::size_t slash = path.rfind('/');
      if (slash != std::string::npos) next = path.substr(0, slash + 1) + next;
    }
    path = std::move(next);
  }
  return path;
}

std::string folder_of(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

mode_t new_file_mode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Removes the temporary file unless it was renamed into place.
struct TemporaryFile {
  std::string name;
  FileDescriptor fd;
  bool placed = false;
  ~TemporaryFile() {
    fd.close();
    if (!placed && !name.empty()) ::unlink(name.c_str());
  }
};

int replace_regular(const std::string& target, const struct stat* old, const FileWriter& write,
                    const StillAsRead& still_as_read) {
  // ".NAME.XXXXXX" beside the target, hidden as a file in the making.
  const std::size_t name_at = target.rfind('/') + 1;  // 0 without a folder
  std::string pattern = target.substr(0, name_at) + "." + target.substr(name_at) + ".XXXXXX";

  TemporaryFile temporary;
  const int raw = ::mkostemp(pattern.data(), O_CLOEXEC);  // exclusive, mode 0600
  if (raw < 0) return errno;
  temporary.name = pattern;
  temporary.fd = FileDescriptor::own(raw);

  if (const int error = write_through(raw, write); error != 0) return error;
  if (::fsync(raw) != 0) return errno;
  if (::fchmod(raw, old != nullptr ? (old->st_mode & 07777) : new_file_mode()) != 0) return errno;
  if (!temporary.fd.close()) return errno != 0 ? errno : EIO;
  if (still_as_read && !still_as_read()) return kChangedMeanwhile;
  if (::rename(temporary.name.c_str(), target.c_str()) != 0) return errno;
  temporary.placed = true;

  // The rename itself reaches the disk only with its folder.
  const int dir = ::open(folder_of(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return 0;
}

// A pipe or a device: opened without waiting for a reader, then written as
// it comes.
int write_directly(const std::string& path, bool is_pipe, const FileWriter& write) {
  const int raw = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (raw < 0) return is_pipe && errno == ENXIO ? kNoReader : errno;
  FileDescriptor fd = FileDescriptor::own(raw);
  if (::fcntl(raw, F_SETFL, ::fcntl(raw, F_GETFL) & ~O_NONBLOCK) != 0) return errno;
  if (const int error = write_through(raw, write); error != 0) return error;
  return fd.close() ? 0 : (errno != 0 ? errno : EIO);
}

}  // namespace

int write_whole_file(const std::string& path, const FileWriter& write, const StillAsRead& still_as_read) {
  if (path == "-") return write_through(STDOUT_FILENO, write);
  if (path.empty() || path.find('\0') != std::string::npos) return ENOENT;
  const std::string target = link_target(path);
  struct stat info {};
  if (::stat(target.c_str(), &info) != 0) {
    if (errno != ENOENT) return errno;
    return replace_regular(target, nullptr, write, still_as_read);
  }
  if (S_ISDIR(info.st_mode)) return EISDIR;
  if (S_ISREG(info.st_mode)) return replace_regular(target, &info, write, still_as_read);
  return write_directly(target, S_ISFIFO(info.st_mode), write);
}

std::string write_failure_reason(int error) {
  if (error == kNoReader) return "no reader";
  if (error == kChangedMeanwhile) return "it changed on disk meanwhile";
  return std::strerror(error);
}

}  // namespace barlist::driver
