// Writing a file so that it is afterwards either the whole of what was
// written or exactly what it was before, whatever fails (the disk, the
// writer, the power). Every export goes through here.
#pragma once

#include <functional>
#include <ostream>
#include <string>

namespace barlist::driver {

// Writes the file's bytes to the stream; may throw.
using FileWriter = std::function<void(std::ostream&)>;

// The error number of a failed write: 0, an errno value, or this for a pipe
// that nobody reads.
inline constexpr int kNoReader = -2;
// ... or this when the file was found changed just before it was replaced.
inline constexpr int kChangedMeanwhile = -3;

// Asked just before a file is replaced: true while it is still as the caller
// last read it.
using StillAsRead = std::function<bool()>;

// Writes `path` ("-" is standard output). A regular file, or a name that
// does not exist yet, is written to a temporary file in the same folder,
// synced, given the old file's mode (a new one 0666 less the umask) and
// renamed over it; a symbolic link keeps pointing at the replaced file. A
// pipe or device is written directly, and a pipe without a reader fails at
// once. Returns 0 or the error; on an error or an exception the temporary
// file is gone and the target untouched. With `still_as_read`, a regular
// file is replaced only while it answers true (kChangedMeanwhile otherwise).
int write_whole_file(const std::string& path, const FileWriter& write, const StillAsRead& still_as_read = {});

// "no reader", "it changed on disk meanwhile", or the system's text for an errno value.
std::string write_failure_reason(int error);

}  // namespace barlist::driver
