// A fatal condition of the run: a file that cannot be opened, an unexpected
// end of input, a numeric field that does not convert, a failing read or
// write. It travels up to the driver, which closes the files and reports it.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace barlist::records {

class FatalError : public std::runtime_error {
 public:
  // The report reads "<condition>, unit <unit>, file <path>".
  FatalError(std::string_view condition, int unit, std::string_view path)
      : std::runtime_error(std::string(condition) + ", unit " + std::to_string(unit) + ", file " + std::string(path)) {}
};

// The conditions, as the report names them.
inline constexpr std::string_view kFileNotFound = "file not found";
inline constexpr std::string_view kOpenFailure = "open failure";
inline constexpr std::string_view kPermissionDenied = "permission to access file denied";
inline constexpr std::string_view kBadFileName = "file name specification error";
inline constexpr std::string_view kConversionError = "input conversion error";
inline constexpr std::string_view kEndOfFile = "end-of-file during read";
inline constexpr std::string_view kReadFailure = "read failure";
inline constexpr std::string_view kWriteFailure = "write failure";

}  // namespace barlist::records
