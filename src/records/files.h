// Opening the files of a run by the names the user typed.
#pragma once

#include <string>
#include <string_view>

namespace barlist::records {

// A name without its leading and trailing blanks.
std::string_view trim_blanks(std::string_view name);

// The full path of a (trimmed) name, as fatal reports show it.
std::string absolute_path(std::string_view name);

bool file_exists(std::string_view name);

enum class OpenMode {
  Existing,            // read only; fails if the file does not exist
  New,                 // created empty; fails if it exists
  ExistingForWriting,  // written from its start; the caller cuts it at the first record
};

// Opens the file for `unit` and returns its descriptor; failure is fatal,
// reported with the condition that fits the cause.
int open_file(int unit, std::string_view name, OpenMode mode);

// True when both names lead to one file (same device and inode).
bool same_file(std::string_view name, int fd);

}  // namespace barlist::records
