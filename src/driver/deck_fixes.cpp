#include "driver/deck_fixes.h"

#include <algorithm>
#include <string_view>

#include "records/input_channel.h"

namespace barlist::driver {
namespace {

bool well_formed(const events::Fix& fix) {
  return fix.line > 0 && fix.first_column >= 1 && fix.last_column >= fix.first_column &&
         fix.last_column <= static_cast<int>(records::InputChannel::kMaxColumns) &&
         fix.text.size() == static_cast<std::size_t>(fix.last_column - fix.first_column + 1) &&
         fix.text.find_first_of("\r\n") == std::string::npos;
}

// Whether the fix changes the line: a fix of what already stands there is none.
bool changes(std::string_view line, const events::Fix& fix) {
  for (std::size_t i = 0; i < fix.text.size(); ++i) {
    const std::size_t at = static_cast<std::size_t>(fix.first_column - 1) + i;
    if ((at < line.size() ? line[at] : ' ') != fix.text[i]) return true;
  }
  return false;
}

// One line without its line end, the fixes of that line applied.
std::string fixed_line(std::string_view line, const std::vector<const events::Fix*>& fixes) {
  std::string text(line);
  for (const events::Fix* fix : fixes) {
    const auto first = static_cast<std::size_t>(fix->first_column - 1);
    if (text.size() < first + fix->text.size()) text.resize(first + fix->text.size(), ' ');
    text.replace(first, fix->text.size(), fix->text);
  }
  // The line's own trailing blanks stay; those a fix leaves at its end go.
  const std::size_t own_blanks = line.find_last_not_of(' ') + 1;  // 0 for a blank line
  std::size_t end = text.size();
  while (end > 0 && text[end - 1] == ' ' && (end > line.size() || end - 1 < own_blanks)) --end;
  text.resize(end);
  return text;
}

}  // namespace

std::size_t apply_fixes(std::string& deck, std::vector<events::Fix> fixes) {
  std::erase_if(fixes, [](const events::Fix& fix) { return !well_formed(fix); });
  std::stable_sort(fixes.begin(), fixes.end(), [](const events::Fix& a, const events::Fix& b) {
    return a.line != b.line ? a.line < b.line : a.first_column < b.first_column;
  });
  if (fixes.empty()) return 0;

  std::string out;
  out.reserve(deck.size() + 64);
  std::size_t applied = 0;
  std::size_t start = 0;
  auto next = fixes.begin();
  for (events::Line line = 1; start < deck.size(); ++line) {
    const std::size_t lf = deck.find('\n', start);
    const std::size_t end = lf == std::string::npos ? deck.size() : lf;
    const std::size_t content = end > start && lf != std::string::npos && deck[end - 1] == '\r' ? end - 1 : end;
    const std::string_view text = std::string_view(deck).substr(start, content - start);
    std::vector<const events::Fix*> here;
    for (; next != fixes.end() && next->line == line; ++next) {
      if ((here.empty() || next->first_column > here.back()->last_column) && changes(text, *next))
        here.push_back(&*next);
    }
    if (here.empty()) {
      out.append(deck, start, end - start);
    } else {
      out += fixed_line(text, here);
      out.append(deck, content, end - content);
      applied += here.size();
    }
    if (lf != std::string::npos) out += '\n';
    start = end + 1;
    if (next == fixes.end()) {
      if (start < deck.size()) out.append(deck, start, std::string::npos);
      break;
    }
  }
  deck = std::move(out);
  return applied;
}

}  // namespace barlist::driver
