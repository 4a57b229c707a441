// How one field prints and how one field reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace barlist::records {

// Output: each writes a field of `width` columns at `out`, which are blank
// already: only the field's own characters are written, at its right (text
// longer than the field is cut at the right), or `width` asterisks when the
// value does not fit.
inline void put_text(char* out, int width, std::string_view value);
void put_integer(char* out, int width, std::int64_t value);
void put_real(char* out, int width, int decimals, float value);

// Input: blanks anywhere in the field are ignored; an all-blank field is 0.
enum class ReadStatus { Ok, ConversionError, Overflow };
// A read of several fields: how it went, and which target failed (counted
// from 0) when it did not.
struct ReadResult {
  ReadStatus status = ReadStatus::Ok;
  std::size_t failed_target = 0;
  bool ok() const { return status == ReadStatus::Ok; }
};
ReadStatus read_integer(std::string_view field, std::int32_t& value);
// Without a decimal point the last `decimals` digits are decimals.
ReadStatus read_real(std::string_view field, int decimals, float& value);
// Aw into a text cell of `length` characters.
inline void get_text(std::string_view field, char* cell, std::size_t length);

// The `width` columns of `record` from `column` (0-based), blank past its
// end, where they are made up in `padded`.
inline std::string_view field_at(std::string_view record, int column, int width, char* padded) {
  const auto start = static_cast<std::size_t>(column);
  const auto w = static_cast<std::size_t>(width);
  if (start + w <= record.size()) return record.substr(start, w);
  std::memset(padded, ' ', w);
  if (start < record.size()) std::memcpy(padded, record.data() + start, record.size() - start);
  return std::string_view(padded, w);
}

// Copies `n` characters. Fields are short: up to 16 characters are copied as
// two fixed-size pieces that may overlap, which compile to plain moves rather
// than a call.
inline void copy_characters(char* out, const char* from, std::size_t n) {
  if (n > 16) {
    std::memcpy(out, from, n);
  } else if (n >= 8) {
    std::memcpy(out, from, 8);
    std::memcpy(out + n - 8, from + n - 8, 8);
  } else if (n >= 4) {
    std::memcpy(out, from, 4);
    std::memcpy(out + n - 4, from + n - 4, 4);
  } else if (n >= 2) {
    std::memcpy(out, from, 2);
    std::memcpy(out + n - 2, from + n - 2, 2);
  } else if (n == 1) {
    *out = *from;
  }
}

inline void put_text(char* out, int width, std::string_view value) {
  const auto w = static_cast<std::size_t>(width);
  if (w > value.size()) {
    copy_characters(out + (w - value.size()), value.data(), value.size());
  } else {
    copy_characters(out, value.data(), w);
  }
}

inline void get_text(std::string_view field, char* cell, std::size_t length) {
  if (field.size() >= length) {
    copy_characters(cell, field.data() + (field.size() - length), length);
  } else {
    copy_characters(cell, field.data(), field.size());
    std::memset(cell + field.size(), ' ', length - field.size());
  }
}

}  // namespace barlist::records
