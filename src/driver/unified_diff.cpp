#include "driver/unified_diff.h"

#include <algorithm>
#include <vector>

namespace barlist::driver {
namespace {

constexpr std::size_t kContext = 3;

// The lines of a text, each with its line end.
std::vector<std::string_view> lines_of(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
    lines.push_back(text.substr(start, next - start));
    start = next;
  }
  return lines;
}

void add_line(std::string& out, char mark, std::string_view line) {
  out += mark;
  out += line;
  if (line.empty() || line.back() != '\n') out += "\n\\ No newline at end of file\n";
}

// "@@ -12,7 +12,7 @@": diff leaves out a count of one.
std::string range(std::size_t first, std::size_t count) {
  if (count == 0) return std::to_string(first) + ",0";
  return count == 1 ? std::to_string(first + 1) : std::to_string(first + 1) + "," + std::to_string(count);
}

}  // namespace

std::string unified_diff(const std::string& name, std::string_view before, std::string_view after) {
  const std::vector<std::string_view> old_lines = lines_of(before);
  const std::vector<std::string_view> new_lines = lines_of(after);
  const std::size_t count = std::min(old_lines.size(), new_lines.size());
  std::vector<std::size_t> changed;
  for (std::size_t i = 0; i < count; ++i) {
    if (old_lines[i] != new_lines[i]) changed.push_back(i);
  }
  if (changed.empty()) return {};

  std::string out = "--- " + name + "\n+++ " + name + "\n";
  for (std::size_t c = 0; c < changed.size();) {
    // A hunk takes every change whose context meets the one before.
    std::size_t last = c;
    while (last + 1 < changed.size() && changed[last + 1] - changed[last] <= 2 * kContext + 1) ++last;
    const std::size_t first_line = changed[c] > kContext ? changed[c] - kContext : 0;
    const std::size_t end_line = std::min(count, changed[last] + kContext + 1);
    const std::string lines = range(first_line, end_line - first_line);
    out += "@@ -" + lines + " +" + lines + " @@\n";
    for (std::size_t i = first_line; i < end_line;) {
      if (old_lines[i] == new_lines[i]) {
        add_line(out, ' ', old_lines[i++]);
        continue;
      }
      std::size_t run = i;
      while (run < end_line && old_lines[run] != new_lines[run]) ++run;
      for (std::size_t j = i; j < run; ++j) add_line(out, '-', old_lines[j]);
      for (std::size_t j = i; j < run; ++j) add_line(out, '+', new_lines[j]);
      i = run;
    }
    c = last + 1;
  }
  return out;
}

}  // namespace barlist::driver
