// The file-replacing seam with a writer that fails halfway: the target keeps
// its old bytes and no temporary file is left beside it.
#include "driver/whole_file.h"

#include <gtest/gtest.h>

#include <sstream>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "barlist_run.hpp"
#include "driver/deck_fixes.h"
#include "driver/fix_mode.h"
#include "driver/run_checks.h"

namespace barlist::driver {
namespace {

namespace fs = std::filesystem;

std::size_t entries(const fs::path& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator{}));
}

TEST(WholeFile, AWriterThatFailsHalfwayLeavesTheTargetAsItWas) {
  e2e::TempDir dir;
  const std::string target = (dir.path() / "out.json").string();
  e2e::write_file(target, "the earlier export");
  const std::string big(200000, 'x');  // more than one buffer: part of it reaches the temporary file

  EXPECT_THROW(write_whole_file(target,
                                [&](std::ostream& out) {
                                  out << big;
                                  throw std::runtime_error("the writer failed");
                                }),
               std::runtime_error);
  EXPECT_EQ(e2e::read_file(target), "the earlier export");
  EXPECT_EQ(entries(dir.path()), 1u);

  EXPECT_EQ(write_whole_file(target, [](std::ostream& out) { out.setstate(std::ios::badbit); }), EIO);
  EXPECT_EQ(e2e::read_file(target), "the earlier export");
  EXPECT_EQ(entries(dir.path()), 1u);

  EXPECT_EQ(write_whole_file(target, [&](std::ostream& out) { out << big; }), 0);
  EXPECT_EQ(e2e::read_file(target), big);
  EXPECT_EQ(entries(dir.path()), 1u);
}

// A deck changed on disk between the fix mode's read and its write is left as
// it was changed, whether the change shows in its size or only in its bytes.
TEST(WholeFile, AFixOfADeckChangedMeanwhileIsRefused) {
  e2e::TempDir dir;
  const std::string deck = (dir.path() / "d.deck").string();
  const std::string cards = "*B06P001 100FIX\nUWALL             1\n 13A01001000 12\nZ\n";
  Options options;
  options.deck = deck;
  options.fix = true;
  std::ostringstream err;
  for (const std::string& changed : {std::string("edited meanwhile"), std::string(cards).replace(1, 1, "C")}) {
    e2e::write_file(deck, cards);
    try {
      run_fix_mode(options, {}, err, [&] { e2e::write_file(deck, changed); });
      ADD_FAILURE() << "the deck was written over";
    } catch (const Refusal& refusal) {
      EXPECT_EQ(refusal.message,
                deck + ": not fixed: the deck changed on disk after barlist read it; it is left as it is");
    }
    EXPECT_EQ(e2e::read_file(deck), changed);
    EXPECT_EQ(entries(dir.path()), 1u);
  }
  e2e::write_file(deck, cards);
  EXPECT_EQ(run_fix_mode(options, {}, err), 0);
  EXPECT_EQ(err.str(), deck + ": 1 fixed, 0 remaining\n");
}

// Fixes on the deck's bytes: of two that overlap the one further left wins;
// a line is filled to a fix past its end and keeps its own trailing blanks and
// CR; a fix may lengthen or shorten its line (a tab made blanks, a two-byte
// letter made one); one that holds a line end is left out.
TEST(WholeFile, FixesEditTheDeckInPlace) {
  struct Case {
    std::string deck;
    std::vector<events::Fix> fixes;
    std::string fixed;
    std::size_t applied;
  };
  const std::vector<Case> cases = {
      {"AB\r\nCD", {{2, 2, 2, "X", true}}, "AB\r\nCX", 1},
      {"ABCD\n", {{1, 3, 4, "YZ", true}, {1, 2, 3, "XX", true}}, "AXXD\n", 1},
      {"A\n", {{1, 5, 6, "12", true}}, "A   12\n", 1},
      {"A 12\nB  \n", {{1, 3, 4, "  ", true}, {2, 2, 3, "  ", true}, {2, 1, 1, "C", true}}, "A\nC  \n", 2},
      {"ABC\n", {{1, 1, 2, "X", true}, {1, 1, 1, "\n", true}, {1, 2, 2, "B", true}}, "XC\n", 1},
      {"\xc3\x9c\tX \n", {{1, 1, 2, "U", false}, {1, 3, 3, "   ", false}}, "U   X \n", 2},
  };
  for (const Case& c : cases) {
    std::string deck = c.deck;
    EXPECT_EQ(apply_fixes(deck, c.fixes), c.applied) << c.deck;
    EXPECT_EQ(deck, c.fixed) << c.deck;
  }
}

}  // namespace
}  // namespace barlist::driver
