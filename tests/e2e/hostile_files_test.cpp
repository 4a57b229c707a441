// Hostile surroundings for the real binary: files that cannot be read or
// written, and odd or missing replies to the console dialogue on standard
// input (what needs a terminal is tested in tests/driver/dialogue_test.cpp).
// barlist ends with its reports or one fatal line and status 1; never a
// hang, or a file changed that should not be.
#include "hostile_fixture.hpp"

namespace hostile {
namespace {

// ------------------------------------------------------------ input files

TEST_F(Hostile, MissingOrBlankInputNameIsFatalAndNoOutputIsAsked) {
  run("no-such.deck\nout.qty\nout.tab\n");
  expect_fatal("file not found", 4, "no-such.deck");
  EXPECT_EQ(result_.out, kInputPrompt);
  EXPECT_FALSE(exists("out.qty"));

  run("\nout.qty\nout.tab\n");
  EXPECT_EQ(result_.exit_code, 1);
  EXPECT_EQ(result_.err.rfind("barlist: file name specification error, unit 4, file ", 0), 0u) << result_.err;
  EXPECT_EQ(result_.out, kInputPrompt);
  EXPECT_FALSE(exists("out.qty"));
}

TEST_F(Hostile, FolderAsInputCannotBeOpened) {
  fs::create_directory(path("folder"));
  run("folder\nout.qty\nout.tab\n");
  expect_fatal("open failure", 4, "folder");
  EXPECT_EQ(result_.out, kInputPrompt);
  EXPECT_FALSE(exists("out.qty"));
}

TEST_F(Hostile, EndlessOrPipedInputIsRefusedAtOnce) {
  // The deck is read twice from its start: a device that never ends or a
  // pipe cannot be, and waiting on either would hang the run.
  run("/dev/zero\nout.qty\nout.tab\n", std::chrono::seconds(10));
  EXPECT_EQ(result_.exit_code, 1);
  EXPECT_EQ(result_.err, "barlist: open failure, unit 4, file /dev/zero\n");
  EXPECT_FALSE(exists("out.qty"));

  ASSERT_EQ(::mkfifo(path("pipe.deck").c_str(), 0600), 0);
  run("pipe.deck\nout.qty\nout.tab\n", std::chrono::seconds(10));
  expect_fatal("open failure", 4, "pipe.deck");
  EXPECT_EQ(result_.out, kInputPrompt);
}

TEST_F(Hostile, OutputPipeWithoutReaderDoesNotHang) {
  write_file(path("input.deck"), lines(kGoodDeck));
  ASSERT_EQ(::mkfifo(path("pipe.qty").c_str(), 0600), 0);
  run("input.deck\npipe.qty\ny\nout.tab\n", std::chrono::seconds(10));
  expect_fatal("open failure", 2, "pipe.qty");
}

TEST_F(Hostile, UnreadableInputIsPermissionDenied) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
  write_file(path("input.deck"), lines(kGoodDeck));
  fs::permissions(path("input.deck"), fs::perms::none);
  run("input.deck\nout.qty\nout.tab\n");
  expect_fatal("permission to access file denied", 4, "input.deck");
  EXPECT_FALSE(exists("out.qty"));
}

// ----------------------------------------------------------- output files

TEST_F(Hostile, OutputInAMissingFolder) {
  write_file(path("input.deck"), lines(kGoodDeck));
  run("input.deck\nnowhere/out.qty\nout.tab\n");
  expect_fatal("open failure", 2, "nowhere/out.qty");
  EXPECT_FALSE(exists("nowhere"));

  run("input.deck\nout.qty\nnowhere/out.tab\n");
  expect_fatal("open failure", 3, "nowhere/out.tab");
  EXPECT_EQ(file("out.qty"), "") << "created before the bar-table name failed, and left empty";
}

TEST_F(Hostile, OutputThatIsAFolderCannotBeWritten) {
  // A folder exists, so the question comes first; even root cannot write it.
  write_file(path("input.deck"), lines(kGoodDeck));
  fs::create_directory(path("folder"));
  run("input.deck\nfolder\ny\nout.tab\n");
  expect_fatal("open failure", 2, "folder");
  EXPECT_EQ(result_.out, kInputPrompt + kQuantitiesPrompt + kOverwriteQuestion);
  EXPECT_TRUE(fs::is_directory(path("folder")));
}

TEST_F(Hostile, OutputInAReadOnlyFolder) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes every folder";
  write_file(path("input.deck"), lines(kGoodDeck));
  fs::create_directory(path("locked"));
  fs::permissions(path("locked"), fs::perms::owner_read | fs::perms::owner_exec);
  run("input.deck\nlocked/out.qty\nout.tab\n");
  expect_fatal("permission to access file denied", 2, "locked/out.qty");
  fs::permissions(path("locked"), fs::perms::owner_all);
}

TEST_F(Hostile, FullDeviceIsAWriteFailureNeverSuccess) {
  write_file(path("input.deck"), lines(kGoodDeck));
  run("input.deck\n/dev/full\ny\nout.tab\n");
  EXPECT_EQ(result_.exit_code, 1);
  EXPECT_EQ(result_.err, "barlist: write failure, unit 2, file /dev/full\n");
  EXPECT_EQ(result_.out, kInputPrompt + kQuantitiesPrompt + kOverwriteQuestion + kBarTablePrompt);
  EXPECT_EQ(file("out.tab"), "");  // stopped when the quantities could not be written, before the bar table

  run("input.deck\nother.qty\n/dev/full\ny\n");
  EXPECT_EQ(result_.exit_code, 1);
  EXPECT_EQ(result_.err, "barlist: write failure, unit 3, file /dev/full\n");
  // The quantities file was closed complete before the bar table failed.
  const std::string qty = file("other.qty");
  EXPECT_NE(qty.find("GRAND TOTAL ="), std::string::npos);
  EXPECT_EQ(qty.substr(qty.size() - 2), "\r\n");
}

TEST_F(Hostile, OutputThatIsTheDeckIsRefusedBeforeAnyQuestion) {
  const std::string deck = lines(kGoodDeck);
  write_file(path("input.deck"), deck);
  fs::create_symlink("input.deck", path("link.deck"));
  fs::create_hard_link(path("input.deck"), path("hard.deck"));
  for (const std::string name : {"input.deck", "./input.deck", "link.deck", "hard.deck"}) {
    SCOPED_TRACE(name);
    run("input.deck\n" + name + "\ny\nout.tab\ny\n");
    expect_fatal("open failure", 2, name);
    EXPECT_EQ(result_.out, kInputPrompt + kQuantitiesPrompt) << "no overwrite question";
    EXPECT_EQ(file("input.deck"), deck);
  }
  run("input.deck\nout.qty\ninput.deck\ny\n");
  expect_fatal("open failure", 3, "input.deck");
  EXPECT_EQ(file("input.deck"), deck);
  EXPECT_EQ(file("out.qty"), "");

  // Nor may the bar table be the quantities file.
  fs::remove(path("out.qty"));
  run("input.deck\nout.qty\nout.qty\ny\n");
  expect_fatal("open failure", 3, "out.qty");
  EXPECT_EQ(result_.out, kPrompts);
  EXPECT_EQ(file("out.qty"), "");
}

// --------------------------------------------------------- console replies

TEST_F(Hostile, EndOfInputAtANamePromptEndsQuietly) {
  write_file(path("input.deck"), lines(kGoodDeck));
  run("");
  expect_orderly();
  EXPECT_EQ(result_.out, kInputPrompt);

  run("input.deck\n");
  expect_orderly();
  EXPECT_EQ(result_.out, kInputPrompt + kQuantitiesPrompt);
  EXPECT_FALSE(exists("out.qty"));

  run("input.deck\nout.qty\n");
  expect_orderly();
  EXPECT_EQ(result_.out, kPrompts);
  EXPECT_EQ(file("out.qty"), "");  // created, never written
  EXPECT_FALSE(exists("out.tab"));
}

TEST_F(Hostile, NamesAreCutAt36ColumnsAndTrimmed) {
  write_file(path("input.deck"), lines(kGoodDeck));
  const std::string name36(36, 'q');
  run("   input.deck   \n" + name36 + "IGNORED\n  out.tab\n");
  expect_orderly();
  EXPECT_TRUE(exists(name36));
  EXPECT_FALSE(exists(name36 + "IGNORED"));
  EXPECT_TRUE(exists("out.tab"));
}

// ------------------------------------------------------ overwrite question

TEST_F(Hostile, DeclinedOverwriteLeavesTheFileByteForByte) {
  write_file(path("input.deck"), lines(kGoodDeck));
  const std::string old = std::string("OLD QUANTITIES\r\n\0\xff", 18) + std::string(100000, 'q');
  for (const std::string reply : {"n", "N", "", " y", " Y", "x", "no"}) {
    SCOPED_TRACE("reply '" + reply + "'");
    write_file(path("out.qty"), old);
    run("input.deck\nout.qty\n" + reply + "\nout.tab\n");
    expect_orderly();
    EXPECT_EQ(result_.out, kInputPrompt + kQuantitiesPrompt + kOverwriteQuestion + kExiting);
    EXPECT_EQ(file("out.qty"), old);
    EXPECT_FALSE(exists("out.tab"));
  }
  // Declining the bar table leaves the new quantities file empty and the old table intact.
  fs::remove(path("out.qty"));
  write_file(path("out.tab"), old);
  run("input.deck\nout.qty\nout.tab\nn\n");
  expect_orderly();
  EXPECT_EQ(result_.out, kPrompts + kOverwriteQuestion + kExiting);
  EXPECT_EQ(file("out.qty"), "");
  EXPECT_EQ(file("out.tab"), old);
}

TEST_F(Hostile, EndOfInputAtTheQuestionIsFatalAndTouchesNothing) {
  write_file(path("input.deck"), lines(kGoodDeck));
  write_file(path("out.qty"), "OLD\n");
  run("input.deck\nout.qty\n");
  EXPECT_EQ(result_.exit_code, 1);
  EXPECT_EQ(result_.err, "barlist: end-of-file during read, unit 5, file /dev/stdin\n");
  EXPECT_EQ(file("out.qty"), "OLD\n");
}

TEST_F(Hostile, ConfirmedOverwriteReplacesTheWholeFile) {
  write_file(path("input.deck"), lines(kGoodDeck));
  run("input.deck\nfresh.qty\nfresh.tab\n");
  expect_orderly();
  const std::string qty = e2e::mask_clock(file("fresh.qty"));
  const std::string tab = file("fresh.tab");

  // Old files far longer than the new reports: nothing of them may remain.
  const std::string old(200000, 'o');
  // Only the first character of the reply counts.
  for (const std::string reply : {"y", "Y", "yes", "YES", "yes please"}) {
    SCOPED_TRACE("reply '" + reply + "'");
    write_file(path("out.qty"), old);
    write_file(path("out.tab"), old);
    run("input.deck\nout.qty\n" + reply + "\nout.tab\n" + reply + "\n");
    expect_orderly();
    EXPECT_EQ(result_.out,
              kInputPrompt + kQuantitiesPrompt + kOverwriteQuestion + kBarTablePrompt + kOverwriteQuestion);
    EXPECT_EQ(e2e::mask_clock(file("out.qty")), qty);
    EXPECT_EQ(file("out.tab"), tab);
  }
}

TEST_F(Hostile, ConfirmedFileThatGetsNoRecordKeepsItsContents) {
  const std::string old = "OLD CONTENTS\n";
  // Every problem fails: the confirmed bar table receives nothing.
  write_file(path("input.deck"), lines({"*B06P001 100FAILS", "UPIER CAP          ", "Z"}));
  write_file(path("out.tab"), old);
  run("input.deck\nout.qty\nout.tab\ny\n");
  expect_orderly();
  EXPECT_NE(file("out.qty").find("ERROR 3"), std::string::npos);
  EXPECT_EQ(file("out.tab"), old);

  // End of input at the bar-table prompt: the confirmed quantities file is untouched.
  write_file(path("out.qty"), old);
  run("input.deck\nout.qty\ny\n");
  expect_orderly();
  EXPECT_EQ(file("out.qty"), old);

  // A fatal end before the first record: both confirmed files are untouched.
  write_file(path("input.deck"), "");
  write_file(path("out.tab"), old);
  run("input.deck\nout.qty\ny\nout.tab\ny\n");
  expect_fatal("end-of-file during read", 4, "input.deck");
  EXPECT_EQ(file("out.qty"), old);
  EXPECT_EQ(file("out.tab"), old);
}

}  // namespace
}  // namespace hostile
