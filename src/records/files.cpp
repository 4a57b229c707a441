#include "records/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "records/fatal.h"

namespace barlist::records {

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

OpenResult open_path(const std::string& path, OpenMode mode) {
  // An empty name, or one with a NUL byte the system would silently cut, names no file.
  if (path.empty() || path.find('\0') != std::string::npos) return {{}, ENOENT};

  // Without O_NONBLOCK, opening a pipe would wait for its other end forever.
  int flags = O_CLOEXEC | O_NONBLOCK;
  switch (mode) {
    case OpenMode::Existing:
      flags |= O_RDONLY;
      break;
    case OpenMode::New:
      flags |= O_WRONLY | O_CREAT | O_EXCL;
      break;
    case OpenMode::ExistingForWriting:
      flags |= O_WRONLY;
      break;
    case OpenMode::Replace:
      flags |= O_WRONLY | O_CREAT | O_TRUNC;
      break;
  }
  int raw;
  do {
    raw = ::open(path.c_str(), flags, 0666);
  } while (raw < 0 && errno == EINTR);
  if (raw < 0) return {{}, errno};
  FileDescriptor fd = FileDescriptor::own(raw);

  // A folder opens for reading but holds no records. The deck is read twice
  // from its start, so it must be a regular file: a pipe cannot be rewound
  // and a device such as /dev/zero never ends.
  struct stat info {};
  if (::fstat(fd.get(), &info) != 0) return {{}, errno};
  if (S_ISDIR(info.st_mode)) return {{}, EISDIR};
  if (mode == OpenMode::Existing && !S_ISREG(info.st_mode)) return {{}, kNotRegularFile};
  if (::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK) != 0) return {{}, errno};
  return {std::move(fd), 0};
}

std::string_view open_failure_condition(int error, OpenMode mode) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return mode == OpenMode::Existing ? kFileNotFound : kOpenFailure;
    case EACCES:
    case EPERM:
    case EROFS:
      return kPermissionDenied;
    case ENAMETOOLONG:
      return kBadFileName;
    default:
      return kOpenFailure;
  }
}

std::string open_failure_reason(int error) {
  if (error == kNotRegularFile) return "not a regular file";
  return std::strerror(error);
}

FileDescriptor open_file(int unit, std::string_view name, OpenMode mode) {
  const std::string trimmed(trim_blanks(name));
  const std::string path = absolute_path(trimmed);
  if (trimmed.empty() || trimmed.find('\0') != std::string::npos) throw FatalError(kBadFileName, unit, path);
  OpenResult opened = open_path(trimmed, mode);
  if (!opened.fd) throw FatalError(open_failure_condition(opened.error, mode), unit, path);
  return std::move(opened.fd);
}

bool same_file(const std::string& path, int fd) {
  struct stat named {};
  struct stat open {};
  if (path.empty() || ::stat(path.c_str(), &named) != 0 || ::fstat(fd, &open) != 0) return false;
  return named.st_dev == open.st_dev && named.st_ino == open.st_ino;
}

}  // namespace barlist::records
