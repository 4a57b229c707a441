// Opening the files of a run: by the names typed in the dialogue (blank
// trimmed, failures fatal), or by paths given on the command line (exactly as
// given, failures returned with the system's reason).
#pragma once

#include <string>
#include <string_view>

#include "records/file_descriptor.h"
#include "records/text.h"

namespace barlist::records {

// The full path of a (trimmed) name, as fatal reports show it.
std::string absolute_path(std::string_view name);

bool file_exists(std::string_view name);

enum class OpenMode {
  Existing,            // read only; fails if the file does not exist; must be a regular file
  New,                 // created empty; fails if it exists
  ExistingForWriting,  // written from its start; the caller cuts it at the first record
  Replace,             // created, or an existing file emptied at once
};

// The error number of a failed open, or this when the file opened but cannot
// serve: a deck that is not a regular file.
inline constexpr int kNotRegularFile = -1;

struct OpenResult {
  FileDescriptor fd;  // empty on failure
  int error = 0;      // errno, or kNotRegularFile
};

// Opens `path` exactly as given.
OpenResult open_path(const std::string& path, OpenMode mode);

// The fatal report's condition for a failed open: "file not found",
// "permission to access file denied", "file name specification error" or
// "open failure".
std::string_view open_failure_condition(int error, OpenMode mode);

// The system's reason for a failed open, as a person reads it.
std::string open_failure_reason(int error);

// Opens the file named in the dialogue for `unit`; failure is fatal, reported
// with the condition that fits the cause.
FileDescriptor open_file(int unit, std::string_view name, OpenMode mode);

// True when `path` leads to the open file `fd` (same device and inode).
bool same_file(const std::string& path, int fd);

}  // namespace barlist::records
