// The notes after deck errors: the deck reference's table of errors gives
// each error's fix in the words the program uses, and the notes worked out
// from a card say more where the card tells more.
#include "deck/error_notes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace barlist::deck {
namespace {

using events::DeckError;

// Error number (0 for the premature end, "—" in the table) to the text of the
// Fix column of the reference's table of errors.
std::map<int, std::string> reference_fixes() {
  std::ifstream file(BARLIST_DOCS "/deck-format.md");
  std::map<int, std::string> fixes;
  for (std::string line; std::getline(file, line);) {
    if (line.rfind("| ", 0) != 0) continue;
    std::vector<std::string> cells;
    std::istringstream row(line.substr(1));
    for (std::string cell; std::getline(row, cell, '|');) cells.push_back(cell);
    if (cells.size() != 5 || cells[1].find_first_of("abcdefghijklmnopqrstuvwxyz") != std::string::npos) continue;
    const std::string number = cells[0].substr(1, cells[0].size() - 2);
    const int n = number == "—" ? 0 : std::atoi(number.c_str());
    if (n == 0 && number != "—") continue;
    fixes[n] = cells[4].substr(1, cells[4].size() - 2);
  }
  return fixes;
}

TEST(ErrorNotes, TheReferenceGivesEachErrorTheProgramsFix) {
  const std::map<int, std::string> fixes = reference_fixes();
  ASSERT_EQ(fixes.size(), std::size(events::kDeckErrors));
  for (const events::DeckErrorEntry& entry : events::kDeckErrors) {
    const auto found = fixes.find(events::number(entry.error));
    ASSERT_NE(found, fixes.end()) << entry.message;
    EXPECT_EQ(found->second, fix_of(entry.error)) << "error " << events::number(entry.error);
  }
}

TEST(ErrorNotes, TheCardTellsMoreThanTheFix) {
  const auto note = [](DeckError error, std::string_view text, int size = 0, std::string_view open = {}) {
    return note_for({.error = error,
                     .card = Card(text),
                     .column = 1,
                     .size = size,
                     .open_problem = open,
                     .open_problem_line = open.empty() ? 0u : 31u});
  };
  EXPECT_EQ(note(DeckError::IllegalHookStyle, " 29A01", 29), "hook styles for size 29 are 1, 3 and 6");
  EXPECT_EQ(note(DeckError::IllegalHookStyle, " 10A01", 10), "hook styles for size 10 are 1, 3, 4, 5 and 6");
  EXPECT_EQ(note(DeckError::IllegalCode, "*B06Q602", 0, "Q601"),
            "problem Q601 (line 31) has no end card (Z) before this card");
  EXPECT_EQ(note(DeckError::IllegalCode, "s"), "card kinds are capital letters: did you mean S?");
  EXPECT_EQ(note(DeckError::NoUnitCard, "uWALL"), "card kinds are capital letters: did you mean U?");
  EXPECT_EQ(note(DeckError::IllegalCode, "x"), "card kinds are capital letters");
  EXPECT_EQ(note(DeckError::IllegalCode, "9"), fix_of(DeckError::IllegalCode));
  EXPECT_EQ(note(DeckError::BarLengthNotGiven, "V13A01"), "punch the average length right-justified in columns 17-22");
  EXPECT_EQ(
      note_for(
          {.error = DeckError::ErroneousDimension, .card = Card(" 13"), .column = 57, .size = 13, .closing_F = 1250}),
      "F should hold the sum of the legs, 1250");
}

// The edits an error's card makes clear: the capital of a small kind letter
// (safe), the sum of the legs in F (not safe: a leg may be the slip).
TEST(ErrorNotes, FixesWhereTheCardMakesThemClear) {
  const auto fixes = [](DeckError error, std::string_view text, float closing_F = 0) {
    std::string told;
    for (const CardFix& f :
         fixes_for({.error = error, .card = Card(text), .column = 1, .size = 0, .closing_F = closing_F})) {
      told += std::to_string(f.first_column) + "-" + std::to_string(f.last_column) + " \"" + f.text + "\"" +
              (f.safe ? " safe" : " unsafe") + ";";
    }
    return told;
  };
  EXPECT_EQ(fixes(DeckError::IllegalCode, "s16A01"), "1-1 \"S\" safe;");
  EXPECT_EQ(fixes(DeckError::NoUnitCard, "uWALL"), "1-1 \"U\" safe;");
  EXPECT_EQ(fixes(DeckError::IllegalCode, "x"), "");
  EXPECT_EQ(fixes(DeckError::ErroneousDimension, " 13", 1250), "57-62 \"  1250\" unsafe;");
  EXPECT_EQ(fixes(DeckError::ErroneousDimension, " 13"), "");
}

}  // namespace
}  // namespace barlist::deck
