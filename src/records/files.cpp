#include "records/files.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "records/fatal.h"

namespace barlist::records {

std::string_view trim_blanks(std::string_view name) {
  const std::size_t first = name.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const std::size_t last = name.find_last_not_of(' ');
  return name.substr(first, last - first + 1);
}

std::string absolute_path(std::string_view name) {
  const std::string trimmed(trim_blanks(name));
  std::error_code error;
  const std::filesystem::path path = std::filesystem::absolute(trimmed, error);
  return error ? trimmed : path.lexically_normal().string();
}

bool file_exists(std::string_view name) {
  const std::string trimmed(trim_blanks(name));
  struct stat info {};
  return !trimmed.empty() && trimmed.find('\0') == std::string::npos && ::stat(trimmed.c_str(), &info) == 0;
}

int open_file(int unit, std::string_view name, OpenMode mode) {
  const std::string trimmed(trim_blanks(name));
  const std::string path = absolute_path(trimmed);
  // An empty name, or one with a NUL byte the system would silently cut, names no file.
  if (trimmed.empty() || trimmed.find('\0') != std::string::npos) throw FatalError(kBadFileName, unit, path);

  // Without O_NONBLOCK, opening a pipe would wait for its other end forever.
  int flags = O_CLOEXEC | O_NONBLOCK;
  switch (mode) {
    case OpenMode::Existing: flags |= O_RDONLY; break;
    case OpenMode::New: flags |= O_WRONLY | O_CREAT | O_EXCL; break;
    case OpenMode::ExistingForWriting: flags |= O_WRONLY; break;
  }
  int fd;
  do {
    fd = ::open(trimmed.c_str(), flags, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    switch (errno) {
      case ENOENT:
      case ENOTDIR:
        throw FatalError(mode == OpenMode::Existing ? kFileNotFound : kOpenFailure, unit, path);
      case EACCES:
      case EPERM:
      case EROFS:
        throw FatalError(kPermissionDenied, unit, path);
      case ENAMETOOLONG:
        throw FatalError(kBadFileName, unit, path);
      default:
        throw FatalError(kOpenFailure, unit, path);
    }
  }
  // A folder opens for reading but holds no records. The deck is read twice
  // from its start, so it must be a regular file: a pipe cannot be rewound
  // and a device such as /dev/zero never ends.
  struct stat info {};
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode) || (mode == OpenMode::Existing && !S_ISREG(info.st_mode)) ||
      ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
    ::close(fd);
    throw FatalError(kOpenFailure, unit, path);
  }
  return fd;
}

bool same_file(std::string_view name, int fd) {
  const std::string trimmed(trim_blanks(name));
  struct stat named {};
  struct stat open {};
  if (trimmed.empty() || ::stat(trimmed.c_str(), &named) != 0 || ::fstat(fd, &open) != 0) return false;
  return named.st_dev == open.st_dev && named.st_ino == open.st_ino;
}

}  // namespace barlist::records
