// The local date and time printed in each problem header.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace barlist::reports {

struct LocalTime {
  int year = 2000;  // e.g. 2026
  int month = 1;    // 1 to 12
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// Tests fix the clock; the program reads the machine's local clock.
using Clock = std::function<LocalTime()>;
LocalTime local_time_now();
// The civil time in UTC `seconds` after 1970-01-01 00:00:00 UTC, for runs
// whose reports must compare byte for byte.
LocalTime utc_time(std::int64_t seconds);

// "2026-12-07T14:05:33Z" for a time in UTC (an offset of 0 seconds east),
// "2026-12-07T15:05:33+01:00" otherwise.
std::string iso_8601(const LocalTime& time, long utc_offset_seconds);
// The offset east of UTC of the machine's local time now, in seconds.
long local_utc_offset();

// "07-DEC-26" and "14:05:33".
std::array<char, 9> header_date(const LocalTime& time);
std::array<char, 8> header_time(const LocalTime& time);

}  // namespace barlist::reports
