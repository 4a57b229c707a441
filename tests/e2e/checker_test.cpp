// The command line as a checker: --check writes nothing, a number that does
// not convert is located, diagnostics for editors (no caret) and terminals
// (colour).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "command_line_fixture.hpp"

namespace {

namespace fs = std::filesystem;
using e2e::card;
using e2e::located;
using e2e::ProcessResult;
using e2e::read_file;
using e2e::write_file;

class Checker : public e2e::CommandLineTest {
 protected:
  std::vector<std::string> names() const {
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(dir_.path())) found.push_back(entry.path().filename());
    std::sort(found.begin(), found.end());
    return found;
  }
};

const std::vector<std::string> kFaultyDeck = {"*B06C001 100CHECKED", "UWALL             1", " 11A01001000   1", "Z"};

TEST_F(Checker, CheckWritesNoReportAndExitsAsARun) {
  deck(kFaultyDeck);
  const ProcessResult run = barlist({"input.deck"});
  EXPECT_EQ(run.exit_code, 2);
  fs::remove(file("input.qty"));
  fs::remove(file("input.tab"));

  for (const std::string option : {"--check", "-n"}) {
    const ProcessResult check = barlist({option, "input.deck"});
    EXPECT_EQ(check.exit_code, 2);
    EXPECT_EQ(check.err, run.err) << "the same diagnostics as a run";
    EXPECT_EQ(names(), std::vector<std::string>{"input.deck"});
  }

  // Reports of an earlier run do not stop a check and are left as they were;
  // an export is still written.
  write_file(file("input.qty"), "earlier");
  const ProcessResult check = barlist({"--check", "--json", "-", "input.deck"});
  EXPECT_EQ(check.exit_code, 2);
  EXPECT_NE(check.out.find("\"errors\""), std::string::npos);
  // The record's summary is standard error's last line, problems left without a bar table named.
  EXPECT_NE(check.out.find("\"summary\": \"1 error; no bar table for problem C001\""), std::string::npos) << check.out;
  EXPECT_EQ(read_file(file("input.qty")), "earlier");
  EXPECT_EQ(barlist({"--check", "--json", "input.deck", "input.deck"}).exit_code, 1) << "never over the deck";
}

TEST_F(Checker, CaretAndColourForEditorsAndTerminals) {
  deck(kFaultyDeck);
  const std::string message = "input.deck:3:2: error 5: ILLEGAL BAR SIZE (problem C001, unit WALL, bar 11A01)\n";
  const std::string sizes =
      "bar sizes are 10, 13, 16, 19, 22, 25, 29, 32, 36, 43 and 57, right-justified in columns 2-3; use K cards, "
      "not empty lines\n";
  const std::string note = "input.deck:3:2: note: " + sizes;
  const std::string summary = "input.deck: 1 error; no bar table for problem C001\n";
  const std::string plain = message + kFaultyDeck[2] + "\n ^\n" + note + summary;
  EXPECT_EQ(barlist({"-n", "input.deck"}).err, plain);
  EXPECT_EQ(barlist({"-n", "--no-caret", "input.deck"}).err, message + note + summary);

  // Colour only when asked for (standard error is a pipe here), as GCC paints it.
  const std::string painted =
      "\033[1minput.deck:3:2:\033[m \033[1;31merror 5:\033[m ILLEGAL BAR SIZE (problem C001, unit WALL, bar 11A01)\n" +
      kFaultyDeck[2] + "\n \033[1;32m^\033[m\n\033[1minput.deck:3:2:\033[m \033[1;36mnote:\033[m " + sizes + summary;
  EXPECT_EQ(barlist({"-n", "--color", "input.deck"}).err, painted);
  EXPECT_EQ(barlist({"-n", "--color=always", "input.deck"}).err, painted);
  ::setenv("NO_COLOR", "1", 1);
  EXPECT_EQ(barlist({"-n", "--color=auto", "input.deck"}).err, plain);
  EXPECT_EQ(barlist({"-n", "--color=always", "input.deck"}).err, painted) << "an explicit request wins";
  EXPECT_EQ(barlist({"-n", "--color=sometimes", "input.deck"}).exit_code, 1);
}

// A number that does not convert stops a run at its card, located like a deck
// error; a check reports it and reads on.
TEST_F(Checker, ANumberThatDoesNotConvertIsLocated) {
  const std::vector<std::string> cards = {"*B06C002 100LUMPS",
                                          "UWALL             1",
                                          "W              2 12,5",
                                          " 13A01001000   1",
                                          "K1X",
                                          "Z",
                                          "*B06C003 100SECOND",
                                          "UPIER            ,1",
                                          "Z"};
  deck(cards);
  const std::string lump = "\"12,5\" in the lump weight (columns 17-22) is not a number";
  ProcessResult run = barlist({"input.deck"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err, "input.deck:3:20: fatal error: input conversion error: " + lump + "\n" + cards[2] +
                         "\n                   ^\ninput.deck:3:20: note: the run stops here; the quantities file "
                         "ends before this card\n");

  const ProcessResult check = barlist({"--check", "--no-caret", "input.deck"});
  EXPECT_EQ(check.exit_code, 2);
  EXPECT_NE(check.err.find("input.deck:3:20: error: input conversion error: " + lump +
                           "\n"
                           "input.deck:3:20: note: a run stops here; the quantities file ends before this card\n"),
            std::string::npos)
      << check.err;
  EXPECT_NE(check.err.find("input.deck:8:18: error: input conversion error: \",1\" in the number of units "),
            std::string::npos)
      << check.err;
  EXPECT_NE(check.err.find("; a run would stop at line 3\n"), std::string::npos) << check.err;

  // In the bar table's pass: the quantities file is whole, the bar table stops.
  deck({"*B06C004 100SKIPS", "UWALL             1", " 13A01001000   1", "K1X", "Z"});
  run = barlist({"-f", "--no-caret", "input.deck"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(run.err.find("input.deck:4:3: fatal error: input conversion error: \"1X\" in the lines to skip "
                         "(columns 2-3) is not a number\ninput.deck:4:3: note: the run stops here; the quantities "
                         "file is whole; the bar table ends before this card\n"),
            std::string::npos)
      << run.err;
}

}  // namespace
