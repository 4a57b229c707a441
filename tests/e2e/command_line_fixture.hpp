// The fixture of the command-line tests: a fresh folder, the clock fixed,
// barlist run there with arguments, and cards and their diagnostics built
// as barlist shows them.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "barlist_run.hpp"

namespace e2e {

// A card built from (column, text) pairs, blank elsewhere, without trailing blanks.
inline std::string card(std::initializer_list<std::pair<std::size_t, std::string>> fields) {
  std::string text;
  for (const auto& [column, value] : fields) {
    if (text.size() < column - 1 + value.size()) text.resize(column - 1 + value.size(), ' ');
    text.replace(column - 1, value.size(), value);
  }
  return text;
}

// "input.deck:LINE:COLUMN: KIND: TEXT", the card and the caret under COLUMN,
// then the note when there is one.
inline std::string located(int line, int column, const std::string& what, const std::string& card_text,
                           const std::string& note = "") {
  const std::string at = "input.deck:" + std::to_string(line) + ":" + std::to_string(column) + ": ";
  return at + what + "\n" + card_text + "\n" + std::string(static_cast<std::size_t>(column - 1), ' ') + "^\n" +
         (note.empty() ? "" : at + "note: " + note + "\n");
}

class CommandLineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("SOURCE_DATE_EPOCH", "0", 1);
    ::unsetenv("NO_COLOR");
  }
  void TearDown() override { ::unsetenv("SOURCE_DATE_EPOCH"); }

  ProcessResult barlist(const std::vector<std::string>& args) {
    return run_process(BARLIST_BINARY, args, "", dir_.path().string());
  }
  std::filesystem::path file(const std::string& name) const { return dir_.path() / name; }
  void deck(const std::vector<std::string>& cards, const std::string& name = "input.deck") {
    write_file(file(name), join_lines(cards));
  }

  TempDir dir_;
};

}  // namespace e2e
