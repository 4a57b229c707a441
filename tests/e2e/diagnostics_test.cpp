// Every deck error and warning on the real binary, at its line and column,
// with the card, a caret and its note; warnings change no report.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "command_line_fixture.hpp"

namespace {

using e2e::card;
using e2e::located;
using e2e::ProcessResult;
using e2e::read_file;

// Standard error without its note lines (the warnings' notes are checked in
// the deck reader's own tests).
std::string without_notes(const std::string& err) {
  std::string kept;
  std::size_t start = 0;
  while (start < err.size()) {
    std::size_t end = err.find('\n', start);
    end = end == std::string::npos ? err.size() : end + 1;
    const std::string line = err.substr(start, end - start);
    if (line.find(": note: ") == std::string::npos) kept += line;
    start = end;
  }
  return kept;
}

class Diagnostics : public e2e::CommandLineTest {};

// One card for each deck error, each pointing at the field it concerns.
TEST_F(Diagnostics, EachDeckErrorPointsAtItsLineAndColumn) {
  const std::vector<std::string> cards = {
      "*B06E001 100EVERY ERROR",
      card({{1, " 13A01001000   1"}}),                               // 2: no unit card
      "UWALL",                                                       // 3: no number of units
      card({{1, "UWALL"}, {19, "1"}}),                               // 4
      "x13A01",                                                      // 5: illegal code
      card({{1, " 11A02001000   1"}}),                               // 6: bar size
      card({{1, " 13A03"}, {16, "1"}}),                              // 7: no length, no type
      card({{1, " 13A04"}, {16, "1"}, {23, "54"}}),                  // 8: bar type
      card({{1, " 29A05"}, {16, "1"}, {23, "1041"}, {29, "1000"}}),  // 9: style 4 at size 29
      card({{1, " 13A06"}, {16, "1"}, {23, "1012"}, {29, "1000"}}),  // 10: style 2
      card({{1, " 13A07"}, {16, "1"}, {23, "43"}, {30, "100"}, {48, "100"}, {60, "401"}, {77, "2"}}),  // 11: closure
      card({{1, " 13A08"}, {16, "1"}, {23, "42"}, {77, "2"}, {79, "90"}}),                             // 12: angle
      card({{1, " 13A09"}, {16, "1"}, {23, "43"}, {77, "1"}}),                                         // 13: N1
      card({{1, " 13A10"}, {16, "1"}, {23, "5311"}, {30, "100"}, {42, "100"}}),                        // 14: B = 0
      card({{1, " 13A11001000"}}),                                                                     // 15: no count
      card({{1, "W"}, {16, "1"}}),       // 16: no lump weight
      card({{1, "R13Z99"}, {16, "1"}}),  // 17: nothing stored
      card({{1, " 13A1200X000   1"}}),   // 18: letter in column 9
      "*B05E9XX 100BAD CODE",            // 19: not B06
      "Z",
      card({{1, " 13A13001000   1"}}),  // 21: after the end card
  };
  deck(cards);
  const std::string wall = "(problem E001, unit WALL";
  const std::string want =
      located(2, 1, "error 2: NO UNIT CARD (problem E001)", cards[1],
              "put a unit card (U) before the bars; after a subtotal card, open a new unit") +
      located(3, 18, "error 3: NO. OF UNITS NOT GIVEN (problem E001, unit WALL)", cards[2],
              "punch the number of like units right-justified in columns 18-19") +
      located(5, 1, "error 4: ILLEGAL CODE (problem E001, unit WALL)", cards[4], "card kinds are capital letters") +
      located(6, 2, "error 5: ILLEGAL BAR SIZE " + wall + ", bar 11A02)", cards[5],
              "bar sizes are 10, 13, 16, 19, 22, 25, 29, 32, 36, 43 and 57, right-justified in columns 2-3; use K "
              "cards, not empty lines") +
      located(7, 23, "error 7: BAR LENGTH NOT GIVEN " + wall + ", bar 13A03)", cards[6],
              "punch the length in columns 7-12 or a bar type in columns 23-24") +
      located(8, 23, "error 8: ILLEGAL BAR TYPE " + wall + ", bar 13A04)", cards[7],
              "bar types are 1 to 53, right-justified in columns 23-24") +
      located(9, 25, "error 9: ILLEGAL HOOK STYLE " + wall + ", bar 29A05)", cards[8],
              "hook styles for size 29 are 1, 3 and 6") +
      located(10, 26, "error 9: ILLEGAL HOOK STYLE " + wall + ", bar 13A06)", cards[9],
              "hook styles for size 13 are 1, 3, 4, 5 and 6") +
      located(11, 57, "error 10: ERRONEOUS DIMENSION " + wall + ", bar 13A07)", cards[10],
              "F should hold the sum of the legs, 400") +
      std::string(59, ' ') + "400\n" +
      located(12, 78, "error 11: ILLEGAL ANGLE " + wall + ", bar 13A08)", cards[11],
              "punch the angle (not 0 or 90) right-justified in columns 78-80") +
      located(13, 75, "error 12: N 1S LESS THAN 2 " + wall + ", bar 13A09)", cards[12],
              "punch N1, 2 or more, right-justified in columns 75-77") +
      located(14, 33, "error 13: ILLEGAL PARABOLA " + wall + ", bar 13A10)", cards[13],
              "punch B and C (columns 33-38 and 39-44)") +
      located(15, 13, "error 14: NO. OF BARS NOT GIVEN " + wall + ", bar 13A11)", cards[14],
              "punch the count right-justified in columns 13-16") +
      located(16, 17, "error 15: LUMP WEIGHT NOT GIVEN (problem E001, unit WALL)", cards[15],
              "punch the weight of one lump right-justified in columns 17-22, the count in columns 13-16") +
      located(17, 2, "error 16: ILLEGAL RECALL BAR " + wall + ", bar 13Z99)", cards[16],
              "store the bar with an S card earlier in the same problem, or punch a full bar card") +
      located(18, 9, "error 18: ALPHABETIC DATA IN NUMERIC FIELD", cards[17],
              "the length in hundreds of mm (columns 7-10) holds only digits and blanks, punched right-justified") +
      located(19, 2, "error 1: NO IDENTIFICATION CARD", cards[18],
              "start the deck and each problem with an identification card: a * card holding B06 in columns 2-4") +
      located(21, 1, "warning: card after the end card of problem E9XX is read as part of that problem", cards[20],
              "open the next problem with its * card, or move the card before the end card") +
      "input.deck:21: error: premature end of file in problem E9XX\n"
      "input.deck:21: note: end every problem with a Z card; after the last, put only comments, line skips and "
      "blank lines\n"
      "input.deck: 18 errors, 1 warning; no bar table for problem E001\n";
  ProcessResult run = barlist({"input.deck"});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, want) << e2e::describe_difference(want, run.err);

  run = barlist({"--quiet", "--force", "input.deck"});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.out + run.err, "");

  // A deck that ends after a failed card, without its end card: no premature
  // end in the reports, so a warning says what is missing.
  const std::vector<std::string> cut = {"*B06E003 100CUT SHORT", card({{1, "UWALL"}, {19, "1"}}), " 11A01001000   1"};
  deck(cut);
  run = barlist({"-f", "input.deck"});
  EXPECT_EQ(run.err, located(3, 2, "error 5: ILLEGAL BAR SIZE (problem E003, unit WALL, bar 11A01)", cut[2],
                             "bar sizes are 10, 13, 16, 19, 22, 25, 29, 32, 36, 43 and 57, right-justified in columns "
                             "2-3; use K cards, not empty lines") +
                         located(3, 1, "warning: the deck ends before the end card of problem E003", cut[2],
                                 "end each problem with a Z card") +
                         "input.deck: 1 error, 1 warning; no bar table for problem E003\n");
}

// Warnings tell, and change nothing: the reports are those of the dialogue.
TEST_F(Diagnostics, WarningsPointAtWhatReadsOtherwiseThanMeant) {
  const std::string tab = "C\tTAB IN A COMMENT";
  const std::string wide = "C" + std::string(79, 'X') + "EXTRA";
  const std::vector<std::string> cards = {
      "*B06W001 100WARNINGS",
      card({{1, "UWALL"}, {19, "1"}}),
      card({{1, " 13A01001000"}, {13, "12"}}),                                // 3: count at the left
      card({{1, " 13A02"}, {16, "1"}, {23, "03"}, {30, "500"}, {34, "12"}}),  // 4: dimension B at the left
      card({{1, " 13A031000"}, {16, "1"}}),                                   // 5: length at the left
      card({{1, " 13A04001000   1"}, {23, "10"}}),                            // 6: written length and a type
      tab,                                                                    // 7
      wide,                                                                   // 8
      "S13S01001000   1",
      "S13S01002000   1",                                                       // 10: stored again
      card({{1, " 13A05"}, {16, "1"}, {23, "03"}, {30, "500"}, {36, "4000"}}),  // 11: B shifted into C
      " 13A06         14     1011  4000",                                       // 12: count shifted right
      " 13\xc3\x9c"
      "1001000   1",  // 13: a mark of two bytes
      "Z",
  };
  deck(cards);
  const std::string want =
      // The fix after the note (left out here): the digits read, right-justified in their field.
      located(3, 13, "warning: count punched at the left of its field: read as 12, listed in the bar table as 1200",
              cards[2]) +
      std::string(14, ' ') + "12\n" +
      located(4, 33,
              "warning: dimension B punched at the left of its field: read as 12, listed in the bar table as 12000",
              cards[3]) +
      std::string(36, ' ') + "12\n" +
      located(5, 7,
              "warning: length punched at the left of columns 7 to 12: read as 100000 mm (hundreds in 7 to 10, "
              "millimetres in 11 and 12)",
              cards[4]) +
      std::string(6, ' ') + "100000\n" +
      located(6, 23, "warning: a written length is given: the bar type and dimensions from column 23 are ignored",
              cards[5]) +
      located(7, 2, "warning: tab in the card: it is one column, not blanks to a tab stop", tab) +
      located(8, 81, "warning: text beyond column 80 is ignored", wide) +
      located(10, 2, "warning: bar 13S01 is stored again: a recall takes the one on line 9", cards[9]) +
      located(11, 36,
              "warning: the number in columns 36-39 runs across dimensions B (33-38) and C (39-44): read as B = 400, "
              "C = 0",
              cards[10]) +
      std::string(34, ' ') + "4000\n" +
      located(12, 17,
              "warning: column 17 is not read on a bar card: is the count (columns 13-16) shifted right? It reads as "
              "1, not 14",
              cards[11]) +
      std::string(14, ' ') + "14\n" +
      located(13, 4,
              "warning: non-ASCII character in column 4: it takes 2 columns (columns count bytes), so every field "
              "after it is read one column to the right",
              cards[12]) +
      std::string(3, ' ') + "U\n" + "input.deck: 0 errors, 10 warnings\n";
  ProcessResult run = barlist({"input.deck"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(without_notes(run.err), want) << e2e::describe_difference(want, run.err);

  run = barlist({"--strict", "-f", "input.deck"});
  EXPECT_EQ(run.exit_code, 2);

  const std::string qty = read_file(file("input.qty"));
  const std::string bar_table = read_file(file("input.tab"));
  e2e::TempDir dialogue_dir;
  const e2e::BarlistRun dialogue = e2e::run_barlist(e2e::join_lines(cards), dialogue_dir);
  EXPECT_EQ(e2e::mask_clock(dialogue.qty), e2e::mask_clock(qty));
  EXPECT_EQ(dialogue.tab, bar_table);
}

}  // namespace
