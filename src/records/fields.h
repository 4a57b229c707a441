// How one field prints and how one field reads.
#pragma once

#include <cstdint>
#include <string_view>

namespace barlist::records {

// Output: each writes exactly `width` characters at `out`.
void put_text(char* out, int width, std::string_view value);
void put_integer(char* out, int width, std::int64_t value);
void put_real(char* out, int width, int decimals, float value);

// Input: blanks anywhere in the field are ignored; an all-blank field is 0.
enum class ReadStatus { Ok, ConversionError, Overflow };
ReadStatus read_integer(std::string_view field, std::int32_t& value);
// Without a decimal point the last `decimals` digits are decimals.
ReadStatus read_real(std::string_view field, int decimals, float& value);

// Aw into a text cell of `length` characters.
void get_text(std::string_view field, char* cell, std::size_t length);

}  // namespace barlist::records
