// The console dialogue at a real terminal. What does not need a terminal (the
// replies, the overwrite question, files that cannot be opened) is tested on
// standard input and output in tests/e2e/hostile_test.cpp.
#include <gtest/gtest.h>

#include <filesystem>

#include "barlist_run.hpp"
#include "session.h"

namespace barlist::testing {
namespace {

using e2e::kBarTablePrompt;
using e2e::kInputPrompt;
using e2e::kQuantitiesPrompt;

class Dialogue : public ::testing::Test {
 protected:
  void SetUp() override {
    e2e::write_file(path("deck.dat"), "*B06P001    SMALL DECK\nUPIER            01\n 13A01002500   1\nZ\n");
  }

  std::filesystem::path path(const std::string& name) const { return dir_.path() / name; }
  std::string folder() const { return dir_.path().string(); }
  std::string contents(const std::string& name) const { return e2e::read_file(path(name)); }

  e2e::TempDir dir_;
};

TEST_F(Dialogue, PromptsStayOnTheTerminalWithTheReplyTypedOnTheSameLine) {
  const Outcome run =
      run_on_terminal(folder(), {{kInputPrompt, "deck.dat"}, {kQuantitiesPrompt, "q.qty"}, {kBarTablePrompt, "t.tab"}});
  EXPECT_EQ(run.status, 0);
  // The terminal echoes each reply right after its prompt.
  EXPECT_EQ(run.terminal.find(kInputPrompt + "deck.dat"), 0u) << run.terminal;
  EXPECT_NE(run.terminal.find(kQuantitiesPrompt + "q.qty"), std::string::npos);
  EXPECT_NE(run.terminal.find(kBarTablePrompt + "t.tab"), std::string::npos);
  EXPECT_FALSE(contents("q.qty").empty());
  EXPECT_FALSE(contents("t.tab").empty());
}

TEST_F(Dialogue, QuestionAndReplyFollowRedirectedStandardStreams) {
  e2e::write_file(path("q.qty"), "old");
  const std::string answers = "y\n";
  const Outcome run = run_on_terminal(
      folder(), {{kInputPrompt, "deck.dat"}, {kQuantitiesPrompt, "q.qty"}, {kBarTablePrompt, "t.tab"}}, &answers);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, e2e::kOverwriteQuestion);
  EXPECT_EQ(run.terminal.find("EXISTS"), std::string::npos);
  EXPECT_NE(contents("q.qty"), "old");
}

TEST_F(Dialogue, EndOfInputAtATerminalPromptEndsQuietly) {
  const Outcome run = run_on_terminal(folder(), {{kInputPrompt, "deck.dat"}, {kQuantitiesPrompt, "\x04"}});
  EXPECT_EQ(run.status, 0);
  EXPECT_FALSE(std::filesystem::exists(path("q.qty")));
}

}  // namespace
}  // namespace barlist::testing
