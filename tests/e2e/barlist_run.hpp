// Running barlist on a deck, and turning the expected files of tests/decks
// into the exact bytes that barlist writes.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "process.hpp"

namespace e2e {

// What the console shows. A name prompt has no line end: the reply is typed
// on the same line.
extern const std::string kInputPrompt;
extern const std::string kQuantitiesPrompt;
extern const std::string kBarTablePrompt;
extern const std::string kPrompts;  // the three name prompts, back to back
// Asked when an output file already exists, and said when the reply is not yes.
extern const std::string kOverwriteQuestion;
extern const std::string kExiting;

std::string read_file(const std::filesystem::path& path);
void write_file(const std::filesystem::path& path, const std::string& content);

// A fresh folder under /tmp, removed with everything in it on destruction.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

struct BarlistRun {
  ProcessResult process;
  std::filesystem::path deck;  // absolute path of the deck as barlist was given it
  bool qty_exists = false;
  bool tab_exists = false;
  std::string qty;  // raw bytes of the quantities file
  std::string tab;  // raw bytes of the bar-table file
};

// Writes `deck_text` to a fresh folder and runs barlist there, answering the
// three prompts with the deck, quantities and bar-table file names.
BarlistRun run_barlist(const std::string& deck_text, const TempDir& dir);

// Runs barlist on `deck_text` and expects a clean run whose reports are
// `want_qty` (with the clock masked) and `want_tab`, byte for byte.
void expect_reports(const std::string& label, const std::string& deck_text, const std::string& want_qty,
                    const std::string& want_tab);

// Record form of a quantities file (one LF-ended line per record, the first
// character being the carriage-control character) to the bytes of the file.
std::string asa_bytes(const std::string& record_form);
std::string asa_bytes(const std::vector<std::string>& records);

// Line form of a bar-table file (one LF-ended line per record) to its bytes.
std::string crlf_lines(const std::string& line_form);

// Replaces the date and time of every problem header with DD-MMM-YY and
// HH:MM:SS. The replaced texts are appended to `dates` and `times`.
std::string mask_clock(const std::string& qty, std::vector<std::string>* dates = nullptr,
                       std::vector<std::string>* times = nullptr);

bool is_header_date(const std::string& s);  // DD-MMM-YY with a real month name
bool is_header_time(const std::string& s);  // HH:MM:SS within a day

// Empty when equal; otherwise where and how the two texts first differ.
std::string describe_difference(const std::string& expected, const std::string& actual);

// Joins records with LF after each, the form the expected files use.
std::string join_lines(const std::vector<std::string>& lines);

using Records = std::vector<std::string>;

std::string blanks(std::size_t n);
std::string pad(std::string s, std::size_t width);  // cut or blank-filled to `width`

// The problem header and column header in record form, date and time masked.
Records problem_header(const std::string& number, const std::string& title);

// The names (without .deck) of the decks in `folder`, sorted.
std::vector<std::string> deck_stems(const std::string& folder);
// A deck name made fit to name a test: letters, digits and underscores.
std::string test_name(const std::string& deck);

}  // namespace e2e
