// A fatal condition of the run: a file that cannot be opened, an unexpected
// end of input, a numeric field that does not convert, a failing read or
// write. It travels up to the driver, which closes the files and reports it.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace barlist::records {

class FatalError : public std::runtime_error {
 public:
  // The report reads "<condition>, unit <unit>, file <path>". `system_error`
  // is the errno of a failing read or write, 0 for the other conditions.
  FatalError(std::string_view condition, int unit, std::string_view path, int system_error = 0)
      : std::runtime_error(std::string(condition) + ", unit " + std::to_string(unit) + ", file " + std::string(path)),
        condition_(condition),
        unit_(unit),
        path_(path),
        system_error_(system_error) {}

  std::string_view condition() const { return condition_; }
  int unit() const { return unit_; }
  const std::string& path() const { return path_; }
  int system_error() const { return system_error_; }
  // The line of the deck being read when the condition arose; 0 when none.
  std::uint64_t line() const { return line_; }
  void set_line(std::uint64_t line) { line_ = line; }
  // Where in the line a field did not convert (0 when not known), what that
  // means ("\"12,5\" in the lump weight (columns 17-22) is not a number"),
  // the line as read, and what the stop leaves out.
  int column() const { return column_; }
  const std::string& detail() const { return detail_; }
  const std::string& record() const { return record_; }
  const std::string& consequence() const { return consequence_; }
  void locate(int column, std::string detail, std::string record, std::string consequence) {
    column_ = column;
    detail_ = std::move(detail);
    record_ = std::move(record);
    consequence_ = std::move(consequence);
  }

 private:
  std::string_view condition_;  // one of the conditions below
  int unit_;
  std::string path_;
  int system_error_;
  std::uint64_t line_ = 0;
  int column_ = 0;
  std::string detail_, record_, consequence_;
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
