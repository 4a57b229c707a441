#include "driver/deck_fixes.h"

#include <algorithm>
#include <string_view>

#include "records/input_channel.h"

namespace barlist::driver {
namespace {

bool well_formed(const events::Fix& fix) {
  return fix.line > 0 && fix.first_column >= 1 && fix.last_column >= fix.first_column &&
         fix.last_column <= static_cast<int>(records::InputChannel::kMaxColumns) &&
         fix.text.size() <= records::InputChannel::kMaxColumns && fix.text.find_first_of("\r\n") == std::string::npos;
}

// Whether the fix changes the line: a fix of what already stands there is none.
bool changes(std::string_view line, const events::Fix& fix) {
  const auto width = static_cast<std::size_t>(fix.last_column - fix.first_column + 1);
  if (fix.text.size() != width) return true;
  for (std::size_t i = 0; i < fix.text.size(); ++i) {
    const std::size_t at = static_cast<std::size_t>(fix.first_column - 1) + i;
    if ((at < line.size() ? line[at] : ' ') != fix.text[i]) return true;
  }
  return false;
}

// One line without its line end, the fixes of that line applied: from the
// last to the first, so that a fix that lengthens or shortens the line (a
// tab made blanks, a two-byte letter made one) leaves the columns of those
// before it in place.
std::string fixed_line(std::string_view line, const std::vector<const events::Fix*>& fixes) {
  std::string text(line);
  const std::size_t own_blanks = line.find_last_not_of(' ') + 1;  // 0 for a blank line
  std::ptrdiff_t moved = 0;  // how much the fixes within the punched text lengthened it
  for (auto fix = fixes.rbegin(); fix != fixes.rend(); ++fix) {
    const auto first = static_cast<std::size_t>((*fix)->first_column - 1);
    const auto width = static_cast<std::size_t>((*fix)->last_column - (*fix)->first_column + 1);
    if (text.size() < first + width) text.resize(first + width, ' ');
    text.replace(first, width, (*fix)->text);
    if (first < own_blanks)
      moved += static_cast<std::ptrdiff_t>((*fix)->text.size()) - static_cast<std::ptrdiff_t>(width);
  }
  // The line's own trailing blanks stay; those a fix leaves at its end go.
  std::size_t end = text.find_last_not_of(' ') + 1;
  if (own_blanks < line.size()) {
    end = std::max(
        end, static_cast<std::size_t>(std::max<std::ptrdiff_t>(0, static_cast<std::ptrdiff_t>(line.size()) + moved)));
  }
  text.resize(std::min(end, text.size()));
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
