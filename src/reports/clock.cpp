#include "reports/clock.h"

#include <cstdio>
#include <ctime>

namespace barlist::reports {
namespace {

void two_digits(char* out, int value) {
  value = ((value % 100) + 100) % 100;
  out[0] = static_cast<char>('0' + value / 10);
  out[1] = static_cast<char>('0' + value % 10);
}

}  // namespace

LocalTime local_time_now() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

LocalTime utc_time(std::int64_t seconds) {
  const std::time_t time = static_cast<std::time_t>(seconds);
  std::tm utc{};
  gmtime_r(&time, &utc);
  return {utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec};
}

std::string iso_8601(const LocalTime& time, long utc_offset_seconds) {
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", time.year, time.month, time.day, time.hour,
                time.minute, time.second);
  std::string iso = text;
  if (utc_offset_seconds == 0) return iso + 'Z';
  const long minutes = (utc_offset_seconds < 0 ? -utc_offset_seconds : utc_offset_seconds) / 60;
  std::snprintf(text, sizeof text, "%c%02ld:%02ld", utc_offset_seconds < 0 ? '-' : '+', minutes / 60, minutes % 60);
  return iso + text;
}

long local_utc_offset() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local.tm_gmtoff;
}

std::array<char, 9> header_date(const LocalTime& time) {
  static constexpr char kMonths[] = "JANFEBMARAPRMAYJUNJULAUGSEPOCTNOVDEC";
  const int month = time.month >= 1 && time.month <= 12 ? time.month - 1 : 0;
  std::array<char, 9> date{};
  two_digits(&date[0], time.day);
  date[2] = '-';
  for (int i = 0; i < 3; ++i) date[3 + static_cast<std::size_t>(i)] = kMonths[month * 3 + i];
  date[6] = '-';
  two_digits(&date[7], time.year);
  return date;
}

std::array<char, 8> header_time(const LocalTime& time) {
  std::array<char, 8> clock{};
  two_digits(&clock[0], time.hour);
  clock[2] = ':';
  two_digits(&clock[3], time.minute);
  clock[5] = ':';
  two_digits(&clock[6], time.second);
  return clock;
}

}  // namespace barlist::reports
