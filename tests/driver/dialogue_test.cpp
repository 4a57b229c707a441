#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "process.hpp"
#include "session.h"

namespace barlist::testing {
namespace {

const std::string kInputPrompt = " ENTER INPUT FILE NAME            : (PLEASE ENTER) ";
const std::string kQuantitiesPrompt = " ENTER OUTPUT FILE NAME FOR QUANTITIES: ";
const std::string kBarTablePrompt = " ENTER OUTPUT FILE NAME FOR BAR TABLES: ";
const std::string kQuestion =
    " OUTPUT FILE ALREADY EXISTS.  DO YOU WISH TO DELETE IT [DEFAULT IS N]? (Y/N) \r\n";
const std::string kExiting = " EXITING PROGRAM\r\n";
const std::string kAllPrompts = kInputPrompt + kQuantitiesPrompt + kBarTablePrompt;

class Dialogue : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/barlist-dialogue-XXXXXX";
    folder_ = mkdtemp(pattern);
    store("deck.dat", "*B06P001    SMALL DECK\nUPIER            01\n 13A01002500   1\nZ\n");
  }
  void TearDown() override { std::system(("rm -rf " + folder_).c_str()); }

  std::string path(const std::string& name) const { return folder_ + "/" + name; }
  bool exists(const std::string& name) const {
    struct stat info {};
    return stat(path(name).c_str(), &info) == 0;
  }
  std::string contents(const std::string& name) const {
    std::ifstream in(path(name), std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }
  void store(const std::string& name, const std::string& bytes) const {
    std::ofstream(path(name), std::ios::binary) << bytes;
  }
  // A batch job: no terminal, so standard input and output serve as the console.
  Outcome batch(const std::string& input) {
    const e2e::ProcessResult run = e2e::run_process(BARLIST_BINARY, {}, input, folder_);
    errors_ = run.err;
    return {run.exit_code, "", run.out};
  }

  std::string folder_;
  std::string errors_;  // standard error of the last batch run
};

TEST_F(Dialogue, PromptsStayOnTheTerminalWithTheReplyTypedOnTheSameLine) {
  const Outcome run = run_on_terminal(
      folder_, {{kInputPrompt, "deck.dat"}, {kQuantitiesPrompt, "q.qty"}, {kBarTablePrompt, "t.tab"}});
  EXPECT_EQ(run.status, 0);
  // The terminal echoes each reply right after its prompt.
  EXPECT_EQ(run.terminal.find(kInputPrompt + "deck.dat"), 0u) << run.terminal;
  EXPECT_NE(run.terminal.find(kQuantitiesPrompt + "q.qty"), std::string::npos);
  EXPECT_NE(run.terminal.find(kBarTablePrompt + "t.tab"), std::string::npos);
  EXPECT_FALSE(contents("q.qty").empty());
  EXPECT_FALSE(contents("t.tab").empty());
}

TEST_F(Dialogue, QuestionAndReplyFollowRedirectedStandardStreams) {
  store("q.qty", "old");
  const std::string answers = "y\n";
  const Outcome run = run_on_terminal(
      folder_, {{kInputPrompt, "deck.dat"}, {kQuantitiesPrompt, "q.qty"}, {kBarTablePrompt, "t.tab"}}, &answers);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, kQuestion);
  EXPECT_EQ(run.terminal.find("EXISTS"), std::string::npos);
  EXPECT_NE(contents("q.qty"), "old");
}

TEST_F(Dialogue, EndOfInputAtATerminalPromptEndsQuietly) {
  const Outcome run = run_on_terminal(folder_, {{kInputPrompt, "deck.dat"}, {kQuantitiesPrompt, "\x04"}});
  EXPECT_EQ(run.status, 0);
  EXPECT_FALSE(exists("q.qty"));
}

TEST_F(Dialogue, WithoutATerminalStandardStreamsServeAsTheConsole) {
  const Outcome run = batch("deck.dat\nq.qty\nt.tab\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, kAllPrompts);
  EXPECT_EQ(errors_, "");
}

TEST_F(Dialogue, EndOfInputAtEachPromptEndsQuietly) {
  Outcome run = batch("");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, kInputPrompt);
  run = batch("deck.dat\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, kInputPrompt + kQuantitiesPrompt);
  EXPECT_FALSE(exists("q.qty"));
  run = batch("deck.dat\nq.qty\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, kAllPrompts);
  EXPECT_TRUE(exists("q.qty"));
  EXPECT_EQ(contents("q.qty"), "");  // created, never written
  EXPECT_FALSE(exists("t.tab"));
  EXPECT_EQ(errors_, "");
}

TEST_F(Dialogue, OnlyAReplyStartingWithYOverwrites) {
  for (const std::string reply : {"y", "Y", "YES", "yes please"}) {
    store("q.qty", "old");
    std::remove(path("t.tab").c_str());
    const Outcome run = batch("deck.dat\nq.qty\n" + reply + "\nt.tab\n");
    EXPECT_EQ(run.status, 0) << reply;
    EXPECT_EQ(run.output, kInputPrompt + kQuantitiesPrompt + kQuestion + kBarTablePrompt) << reply;
    EXPECT_NE(contents("q.qty").find("SMALL DECK"), std::string::npos) << reply;
  }
  for (const std::string reply : {"n", "N", "", " Y", "x"}) {
    store("q.qty", "old");
    std::remove(path("t.tab").c_str());
    const Outcome run = batch("deck.dat\nq.qty\n" + reply + "\nt.tab\n");
    EXPECT_EQ(run.status, 0) << reply;
    EXPECT_EQ(run.output, kInputPrompt + kQuantitiesPrompt + kQuestion + kExiting) << reply;
    EXPECT_EQ(contents("q.qty"), "old") << reply;
    EXPECT_FALSE(exists("t.tab"));
  }
}

TEST_F(Dialogue, DecliningTheBarTableLeavesTheNewQuantitiesFileEmpty) {
  store("t.tab", "old table");
  const Outcome run = batch("deck.dat\nq.qty\nt.tab\nn\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.output, kAllPrompts + kQuestion + kExiting);
  EXPECT_EQ(contents("q.qty"), "");
  EXPECT_EQ(contents("t.tab"), "old table");
}

TEST_F(Dialogue, AConfirmedFileThatGetsNoRecordKeepsItsContents) {
  store("q.qty", "old quantities");
  const Outcome run = batch("deck.dat\nq.qty\ny\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(contents("q.qty"), "old quantities");
}

TEST_F(Dialogue, EndOfInputAtTheQuestionIsFatal) {
  store("q.qty", "old");
  const Outcome run = batch("deck.dat\nq.qty\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(errors_, "barlist: end-of-file during read, unit 5, file /dev/stdin\n");
  EXPECT_EQ(contents("q.qty"), "old");
}

TEST_F(Dialogue, NamesAreCutAt36ColumnsAndTrimmed) {
  const std::string name36 = "qqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqq";  // 36 characters
  const Outcome run = batch("   deck.dat   \n" + name36 + "IGNORED\n  t.tab\n");
  EXPECT_EQ(run.status, 0);
  EXPECT_TRUE(exists(name36));
  EXPECT_FALSE(exists(name36 + "IGNORED"));
  EXPECT_TRUE(exists("t.tab"));
}

TEST_F(Dialogue, FilesThatCannotBeOpenedAreFatal) {
  Outcome run = batch("missing.dat\nq.qty\nt.tab\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(errors_, "barlist: file not found, unit 4, file " + path("missing.dat") + "\n");
  EXPECT_EQ(run.output, kInputPrompt);  // no output name is asked
  EXPECT_FALSE(exists("q.qty"));

  run = batch("\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(errors_.rfind("barlist: file name specification error, unit 4, file ", 0), 0u) << errors_;

  run = batch("deck.dat\nno/such/q.qty\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(errors_, "barlist: open failure, unit 2, file " + path("no/such/q.qty") + "\n");
}

TEST_F(Dialogue, AnOutputIsNeverTheInputDeckOrTheOtherOutput) {
  const std::string deck = contents("deck.dat");
  Outcome run = batch("deck.dat\n ./deck.dat\ny\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(errors_, "barlist: open failure, unit 2, file " + path("deck.dat") + "\n");
  EXPECT_EQ(run.output, kInputPrompt + kQuantitiesPrompt);  // refused before the question
  EXPECT_EQ(contents("deck.dat"), deck);

  run = batch("deck.dat\nq.qty\nq.qty\ny\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(errors_, "barlist: open failure, unit 3, file " + path("q.qty") + "\n");
  EXPECT_EQ(contents("q.qty"), "");
}

}  // namespace
}  // namespace barlist::testing
