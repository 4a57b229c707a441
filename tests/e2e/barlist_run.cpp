#include "barlist_run.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#ifndef BARLIST_BINARY
#error "BARLIST_BINARY must name the barlist executable"
#endif

namespace e2e {

namespace fs = std::filesystem;

const std::string kInputPrompt = " ENTER INPUT FILE NAME            : (PLEASE ENTER) ";
const std::string kQuantitiesPrompt = " ENTER OUTPUT FILE NAME FOR QUANTITIES: ";
const std::string kBarTablePrompt = " ENTER OUTPUT FILE NAME FOR BAR TABLES: ";
const std::string kPrompts = kInputPrompt + kQuantitiesPrompt + kBarTablePrompt;
const std::string kOverwriteQuestion =
    " OUTPUT FILE ALREADY EXISTS.  DO YOU WISH TO DELETE IT [DEFAULT IS N]? (Y/N) \r\n";
const std::string kExiting = " EXITING PROGRAM\r\n";

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void write_file(const fs::path& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

TempDir::TempDir() {
  std::string tmpl = (fs::temp_directory_path() / "barlist-e2e-XXXXXX").string();
  if (::mkdtemp(tmpl.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = fs::canonical(tmpl);
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

BarlistRun run_barlist(const std::string& deck_text, const TempDir& dir) {
  BarlistRun run;
  run.deck = dir.path() / "input.deck";
  write_file(run.deck, deck_text);
  // Relative names keep the replies well inside the 36 columns of a name.
  run.process = run_process(BARLIST_BINARY, {}, "input.deck\nout.qty\nout.tab\n", dir.path().string());
  const fs::path qty = dir.path() / "out.qty";
  const fs::path tab = dir.path() / "out.tab";
  run.qty_exists = fs::exists(qty);
  run.tab_exists = fs::exists(tab);
  if (run.qty_exists) run.qty = read_file(qty);
  if (run.tab_exists) run.tab = read_file(tab);
  return run;
}

namespace {

std::vector<std::string> split_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t lf = text.find('\n', start);
    if (lf == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, lf - start));
    start = lf + 1;
  }
  return lines;
}

}  // namespace

std::string asa_bytes(const std::vector<std::string>& records) {
  std::string bytes;
  bool pending = false;
  for (const std::string& record : records) {
    const char control = record.empty() ? ' ' : record[0];
    const std::string text = record.empty() ? std::string() : record.substr(1);
    switch (control) {
      case '1':
        bytes += '\f';
        break;
      case '0':
        bytes += pending ? "\n\n" : "\n";
        break;
      case '+':
        break;
      default:
        if (pending) bytes += '\n';
        break;
    }
    bytes += text;
    bytes += '\r';
    pending = true;
  }
  if (pending) bytes += '\n';
  return bytes;
}

std::string asa_bytes(const std::string& record_form) { return asa_bytes(split_lines(record_form)); }

std::string crlf_lines(const std::string& line_form) {
  std::string bytes;
  for (const std::string& line : split_lines(line_form)) bytes += line + "\r\n";
  return bytes;
}

std::string mask_clock(const std::string& qty, std::vector<std::string>* dates, std::vector<std::string>* times) {
  std::string masked = qty;
  const std::string date_anchor = std::string(13, ' ') + "VELMARA";
  for (std::size_t p = masked.find(date_anchor); p != std::string::npos; p = masked.find(date_anchor, p + 1)) {
    if (p < 9) continue;
    if (dates) dates->push_back(masked.substr(p - 9, 9));
    masked.replace(p - 9, 9, "DD-MMM-YY");
  }
  const std::string time_anchor = " QUENDRAL";
  for (std::size_t p = masked.find(time_anchor); p != std::string::npos; p = masked.find(time_anchor, p + 1)) {
    if (p < 8) continue;
    if (times) times->push_back(masked.substr(p - 8, 8));
    masked.replace(p - 8, 8, "HH:MM:SS");
  }
  return masked;
}

namespace {
bool digits(const std::string& s, std::size_t at, std::size_t n) {
  for (std::size_t i = at; i < at + n; ++i)
    if (i >= s.size() || s[i] < '0' || s[i] > '9') return false;
  return true;
}
int number(const std::string& s, std::size_t at) { return (s[at] - '0') * 10 + (s[at + 1] - '0'); }
}  // namespace

bool is_header_date(const std::string& s) {
  static const std::string months = "JANFEBMARAPRMAYJUNJULAUGSEPOCTNOVDEC";
  if (s.size() != 9 || s[2] != '-' || s[6] != '-') return false;
  if (!digits(s, 0, 2) || !digits(s, 7, 2)) return false;
  const std::string month = s.substr(3, 3);
  const std::size_t m = months.find(month);
  if (m == std::string::npos || m % 3 != 0) return false;
  const int day = number(s, 0);
  return day >= 1 && day <= 31;
}

bool is_header_time(const std::string& s) {
  if (s.size() != 8 || s[2] != ':' || s[5] != ':') return false;
  if (!digits(s, 0, 2) || !digits(s, 3, 2) || !digits(s, 6, 2)) return false;
  return number(s, 0) <= 23 && number(s, 3) <= 59 && number(s, 6) <= 59;
}

namespace {
std::string visible(const std::string& s) {
  std::string v;
  for (unsigned char c : s) {
    switch (c) {
      case '\r':
        v += "\\r";
        break;
      case '\n':
        v += "\\n";
        break;
      case '\f':
        v += "\\f";
        break;
      default:
        if (c < 32 || c > 126) {
          static const char* hex = "0123456789abcdef";
          v += "\\x";
          v += hex[c >> 4];
          v += hex[c & 15];
        } else {
          v += static_cast<char>(c);
        }
    }
  }
  return v;
}
}  // namespace

std::string describe_difference(const std::string& expected, const std::string& actual) {
  if (expected == actual) return {};
  std::size_t at = 0;
  while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) ++at;
  std::size_t line = 1;
  for (std::size_t i = 0; i < at; ++i)
    if (expected[i] == '\n') ++line;
  // Show the whole line (LF to LF) around the first difference in both texts.
  const std::size_t from = expected.rfind('\n', at == 0 ? 0 : at - 1);
  const std::size_t begin = (from == std::string::npos || at == 0) ? 0 : from + 1;
  auto line_of = [begin](const std::string& s) {
    if (begin >= s.size()) return std::string("<end of file>");
    std::size_t end = s.find('\n', begin);
    end = (end == std::string::npos) ? s.size() : end + 1;
    return s.substr(begin, std::min<std::size_t>(end - begin, 240));
  };
  std::ostringstream msg;
  msg << "first difference at byte " << at << " (line " << line << "), column " << (at - begin + 1)
      << "; sizes expected " << expected.size() << ", actual " << actual.size() << "\n  expected: ["
      << visible(line_of(expected)) << "]\n  actual:   [" << visible(line_of(actual)) << "]";
  return msg.str();
}

std::string join_lines(const std::vector<std::string>& lines) {
  std::string s;
  for (const auto& l : lines) s += l + "\n";
  return s;
}

void expect_reports(const std::string& label, const std::string& deck_text, const std::string& want_qty,
                    const std::string& want_tab) {
  TempDir dir;
  const BarlistRun run = run_barlist(deck_text, dir);

  ASSERT_FALSE(run.process.timed_out) << "barlist did not finish";
  EXPECT_EQ(run.process.exit_code, 0) << "stderr: " << run.process.err;
  EXPECT_EQ(run.process.err, "");
  EXPECT_EQ(run.process.out, kPrompts);
  ASSERT_TRUE(run.qty_exists);
  ASSERT_TRUE(run.tab_exists);

  std::vector<std::string> dates, times;
  const std::string got_qty = mask_clock(run.qty, &dates, &times);
  EXPECT_EQ(dates.size(), times.size());
  for (const auto& d : dates) EXPECT_TRUE(is_header_date(d)) << "date in header: [" << d << "]";
  for (const auto& t : times) EXPECT_TRUE(is_header_time(t)) << "time in header: [" << t << "]";

  const std::string qty_diff = describe_difference(want_qty, got_qty);
  EXPECT_TRUE(qty_diff.empty()) << "quantities file of " << label << ": " << qty_diff;
  const std::string tab_diff = describe_difference(want_tab, run.tab);
  EXPECT_TRUE(tab_diff.empty()) << "bar-table file of " << label << ": " << tab_diff;
}

std::string blanks(std::size_t n) { return std::string(n, ' '); }

std::string pad(std::string s, std::size_t width) {
  s.resize(width, ' ');
  return s;
}

Records problem_header(const std::string& number, const std::string& title) {
  return {
      "0DD-MMM-YY" + blanks(13) + "VELMARA DEPARTMENT OF TRANSPORTATION" + blanks(9) + "PROB. NO. " + number,
      " HH:MM:SS QUENDRAL DIVISION - OFFICE OF SPANS AND DECK STRUCTURES REVIEW",
      " " + blanks(17) + "EXTENSION AND LISTING OF BAR REINFORCING STEEL",
      blanks(30) + "REVISED:  JUNE 30, 2008",
      "0" + pad(title, 68),
      "",
      " Name of Unit       Lump Weight" + blanks(3) + "Number" + blanks(3) + "Total Weight   Cost/kg    Total Cost",
      blanks(20) + "Ave. Length    Units",
  };
}

std::vector<std::string> deck_stems(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() == ".deck") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string test_name(const std::string& deck) {
  std::string name;
  for (const char c : deck) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

}  // namespace e2e
