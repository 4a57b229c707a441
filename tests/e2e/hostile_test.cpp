// Hostile input for the real binary: broken, binary and oversized decks,
// files that cannot be read or written, and odd or missing replies to the
// console dialogue on standard input (what needs a terminal is tested in
// tests/driver/dialogue_test.cpp). Whatever the bytes, barlist ends with its
// reports, a deck error in the quantities file, or one fatal line and status
// 1; never a crash, a hang, or a file changed that should not be.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "barlist_run.hpp"

namespace {

namespace fs = std::filesystem;
using e2e::blanks;
using e2e::kBarTablePrompt;
using e2e::kExiting;
using e2e::kInputPrompt;
using e2e::kOverwriteQuestion;
using e2e::kPrompts;
using e2e::kQuantitiesPrompt;
using e2e::pad;
using e2e::problem_header;
using e2e::read_file;
using e2e::Records;
using e2e::write_file;

std::string lines(const Records& cards) { return e2e::join_lines(cards); }

// A small deck that lists one bar: its quantities and bar table are not empty.
const Records kGoodDeck = {
    "*B06P001 100GOOD DECK",
    "UPIER CAP         1",
    " 16A01  1250   2",
    "Z",
};

Records operator+(Records a, const Records& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::size_t count_of(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
  return n;
}

// One run in a folder of its own: the deck (if any) is input.deck there, and
// `replies` is all that standard input holds.
class Hostile : public ::testing::Test {
 protected:
  e2e::ProcessResult run(const std::string& replies, std::chrono::seconds limit = std::chrono::seconds(60)) {
    result_ = e2e::run_process(BARLIST_BINARY, {}, replies, dir_.path().string(), limit);
    EXPECT_FALSE(result_.timed_out);
    EXPECT_EQ(result_.term_signal, 0) << "barlist died of a signal";
    return result_;
  }
  e2e::ProcessResult run_deck(const std::string& deck) {
    write_file(path("input.deck"), deck);
    fs::remove(path("out.qty"));
    fs::remove(path("out.tab"));
    return run("input.deck\nout.qty\nout.tab\n");
  }
  fs::path path(const std::string& name) const { return dir_.path() / name; }
  std::string file(const std::string& name) const { return read_file(path(name)); }
  bool exists(const std::string& name) const { return fs::exists(path(name)); }
  std::string fatal(const std::string& condition, int unit, const std::string& name) const {
    return "barlist: " + condition + ", unit " + std::to_string(unit) + ", file " +
           path(name).lexically_normal().string() + "\n";
  }
  void expect_fatal(const std::string& condition, int unit, const std::string& name) const {
    EXPECT_EQ(result_.exit_code, 1);
    EXPECT_EQ(result_.err, fatal(condition, unit, name));
  }
  void expect_orderly() const {
    EXPECT_EQ(result_.exit_code, 0);
    EXPECT_EQ(result_.err, "");
  }

  e2e::TempDir dir_;
  e2e::ProcessResult result_;
};

// ---------------------------------------------------------------- odd decks

TEST_F(Hostile, EmptyDeckIsAnEndOfFileOnTheDeck) {
  run_deck("");
  expect_fatal("end-of-file during read", 4, "input.deck");
  EXPECT_EQ(result_.out, kPrompts);
  EXPECT_EQ(file("out.qty"), "");
  EXPECT_EQ(file("out.tab"), "");
}

TEST_F(Hostile, BlankLinesAfterAFailedCardAreSkipped) {
  // The first card is not an identification card (error 1); the blank cards
  // after it stand between problems and are passed over.
  run_deck("\n\n\n");
  expect_orderly();
  EXPECT_EQ(file("out.qty"), e2e::asa_bytes(Records{"1ERROR 1, NO IDENTIFICATION CARD", " " + blanks(80)}));
  EXPECT_EQ(file("out.tab"), "");
}

TEST_F(Hostile, CarriageReturnsAloneDoNotEndCards) {
  // Without a line feed the whole file is one card: its first 80 columns,
  // carriage returns included, and the deck ends inside the problem.
  const std::string deck = "*B06P001 085CR ONLY\rUPIER CAP         1\r 16A01  1250   2\rZ\r";
  run_deck(deck);
  expect_orderly();
  const Records expected = problem_header("P001", deck.substr(12)) + Records{" PREMATURE END OF FILE"};
  EXPECT_EQ(e2e::mask_clock(file("out.qty")), e2e::asa_bytes(expected));
  EXPECT_EQ(file("out.tab"), "");
  EXPECT_EQ(file("input.deck"), deck);
}

TEST_F(Hostile, TextFieldsCarryAnyByteAsPunched) {
  std::string number = {'\0', '\xff', '\x80', '\t'};
  std::string title = "T\x01\x7f\xe9\xc3\xa9" + std::string(1, '\0');
  std::string name = "N" + std::string(1, '\0') + "\xfe\xe2\x82\xac";
  std::string comment;
  for (int c = 0; c < 256; ++c) {
    if (c != '\n') comment += static_cast<char>(c);
  }
  comment.resize(79);
  const Records deck = {
      "*B06" + number + " 100" + title,
      "U" + pad(name, 16) + " 1",
      " 16" + std::string{'\0', '\xff', '\x9b'} + "  1250   2",
      "C" + comment,
      "Z",
  };
  run_deck(lines(deck));
  expect_orderly();
  const std::string qty = file("out.qty");
  EXPECT_NE(qty.find("PROB. NO. " + number + "\r"), std::string::npos);
  EXPECT_NE(qty.find("\n" + pad(title, 68) + "\r"), std::string::npos);
  EXPECT_NE(qty.find("\n" + pad(name, 16) + "        4 kg    x   1  ="), std::string::npos);
  const std::string tab = file("out.tab");
  EXPECT_NE(tab.find("\r\n" + comment + "\r\n"), std::string::npos);
  EXPECT_NE(tab.find(std::string("16") + '\0' + "\xff\x9b" + "  1250"), std::string::npos);
}

// A card with one odd byte in one column, and what barlist must make of it.
struct OddColumn {
  std::string card;  // a valid card of its kind
  int column;        // 1-based
  enum { Error18, Fatal } outcome;
};

// A bar card whose columns 75 to 80 hold N1 and ANGLE.
const std::string kBarCard = " 16A01  1250   2" + std::string(58, ' ') + "  2 45";

// Fields that are screened end in error 18; fields that are not end the run
// with the conversion error, after the records already written.
const OddColumn kOddColumns[] = {
    {kBarCard, 0, OddColumn::Error18},
    {"*B06P001 100TITLE", 9, OddColumn::Fatal},
    {"*B06P001 100TITLE", 12, OddColumn::Fatal},
    {"UPIER CAP         1 100", 18, OddColumn::Fatal},
    {"UPIER CAP         1 100", 19, OddColumn::Fatal},
    {"UPIER CAP         1 100", 21, OddColumn::Fatal},
    {"R16A01         2", 3, OddColumn::Fatal},
    {"R16A01         2", 14, OddColumn::Fatal},
    {"V16V01  2150   2  2150", 2, OddColumn::Fatal},
    {"V16V01  2150   2  2150", 16, OddColumn::Fatal},
    {"V16V01  2150   2  2150", 20, OddColumn::Fatal},
    {"W              3   125", 13, OddColumn::Fatal},
    {"W              3   125", 22, OddColumn::Fatal},
    {kBarCard, 76, OddColumn::Fatal},
    {kBarCard, 80, OddColumn::Fatal},
    {"K 2", 3, OddColumn::Fatal},  // converted by the bar table only
};

std::string with_byte(std::string card, int column, char byte) {
  if (card.size() < static_cast<std::size_t>(column)) card.resize(static_cast<std::size_t>(column), ' ');
  card[static_cast<std::size_t>(column - 1)] = byte;
  return card;
}

TEST_F(Hostile, NulHighBytesAndTabsInNumericFields) {
  const char kOdd[] = {'\0', '\t', '\x80', '\xff', 'A'};
  for (const OddColumn& odd : kOddColumns) {
    for (const char byte : kOdd) {
      Records deck = {"*B06P001 100ODD BYTES", "UPIER CAP         1", "S16A01  1250   2"};
      if (odd.outcome == OddColumn::Error18) {
        // Every screened column of a bar card: columns 2, 3 and 7 to 75.
        for (int column = 2; column <= 75; ++column) {
          if (column < 4 || column > 6) deck.push_back(with_byte(odd.card, column, byte));
        }
      } else if (odd.card[0] == '*') {
        deck = {with_byte(odd.card, odd.column, byte)};
      } else {
        deck.push_back(with_byte(odd.card, odd.column, byte));
      }
      deck.push_back("Z");
      SCOPED_TRACE("card '" + odd.card + "' column " + std::to_string(odd.column) + " byte " +
                   std::to_string(static_cast<unsigned char>(byte)));
      run_deck(lines(deck));
      const std::string qty = file("out.qty");
      if (odd.outcome == OddColumn::Error18) {
        expect_orderly();
        EXPECT_EQ(count_of(qty, "ERROR 18, ALPHABETIC DATA IN NUMERIC FIELD"), 71u);
        EXPECT_EQ(count_of(qty, "ERROR"), 71u);
        EXPECT_EQ(file("out.tab"), "");
      } else {
        expect_fatal("input conversion error", 4, "input.deck");
        // What was written before the stop is in the file.
        if (odd.card[0] != '*') {
          EXPECT_NE(qty.find("PROB. NO. P001\r"), std::string::npos);
        }
        if (odd.card[0] == 'K') {
          EXPECT_NE(qty.find("GRAND TOTAL ="), std::string::npos);
        }
      }
    }
  }
}

TEST_F(Hostile, LettersInAUnitCountStopTheRunAfterTheHeader) {
  run_deck(lines({"*B06P001 100LETTERS", "UPIER CAP        XX", " 16A01  1250   2", "Z"}));
  expect_fatal("input conversion error", 4, "input.deck");
  EXPECT_EQ(e2e::mask_clock(file("out.qty")), e2e::asa_bytes(problem_header("P001", "LETTERS")));
  EXPECT_EQ(file("out.tab"), "");
}

TEST_F(Hostile, ABadLineSkipCountStopsTheBarTableAfterItsFirstLines) {
  run_deck(lines({"*B06P001 100LINE SKIP", "UPIER CAP         1", " 16A01  1250   2", "KXX", "Z"}));
  expect_fatal("input conversion error", 4, "input.deck");
  const std::string qty = file("out.qty");
  EXPECT_EQ(qty.substr(qty.size() - 2), "\r\n") << "the quantities file is complete";
  EXPECT_NE(qty.find("GRAND TOTAL ="), std::string::npos);
  EXPECT_EQ(count_of(file("out.tab"), "\r\n"), 2u) << "the unit and bar lines before the card";
}

TEST_F(Hostile, OnlyEightyColumnsOfAHugeLineCount) {
  // A 10 MB card reads as its first 80 columns: the same reports as the cut
  // deck, in constant memory. The deck is written piece by piece so that
  // this test's own memory, which a child starts with, stays small.
  const std::string unit = pad("UPIER CAP         1    DESCRIPTION", 80);
  const std::string comment = pad("C A COMMENT", 80);
  const auto write_deck = [&](std::size_t tail) {
    std::ofstream out(path("input.deck"), std::ios::binary | std::ios::trunc);
    const std::string xs(1024 * 1024, 'X');
    out << "*B06P001 100HUGE LINES\n" << unit;
    for (std::size_t i = 0; i < tail; ++i) out << xs;
    out << "\n 16A01  1250   2\n" << comment;
    for (std::size_t i = 0; i < tail; ++i) out << xs;
    out << "\nZ\n";
  };
  write_deck(0);
  run("input.deck\nsmall.qty\nsmall.tab\n");
  expect_orderly();
  const std::string qty = e2e::mask_clock(file("small.qty"));
  const std::string tab = file("small.tab");
  ASSERT_NE(tab, "");

  write_deck(10);
  ASSERT_GT(fs::file_size(path("input.deck")), 20u * 1024 * 1024);
  run("input.deck\nhuge.qty\nhuge.tab\n");
  expect_orderly();
  EXPECT_EQ(e2e::mask_clock(file("huge.qty")), qty);
  EXPECT_EQ(file("huge.tab"), tab);
#if !defined(__SANITIZE_ADDRESS__)
  struct rusage usage {};
  ::getrusage(RUSAGE_CHILDREN, &usage);
  EXPECT_LT(usage.ru_maxrss, 16 * 1024) << "peak resident memory in kB";
#endif
}

TEST_F(Hostile, BinaryNoiseEndsInAnOrderlyWay) {
  for (const unsigned seed : {1u, 2u, 3u, 4u}) {
    std::mt19937 random(seed);
    std::string noise(256 * 1024, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    // Seeds 3 and 4 start with a valid problem so the noise reaches the units.
    if (seed > 2) noise = lines({"*B06P001 100NOISE", "UPIER CAP         1"}) + noise;
    SCOPED_TRACE("seed " + std::to_string(seed));
    run_deck(noise);
    EXPECT_TRUE(result_.exit_code == 0 || result_.err == fatal("input conversion error", 4, "input.deck"))
        << result_.err;
    if (result_.exit_code == 0) {
      EXPECT_EQ(result_.err, "");
    }
    EXPECT_EQ(file("input.deck"), noise);
  }
}

TEST_F(Hostile, TenThousandProblems) {
  // Vary bars take no bar-length entry, so the 2000-bar limit is not reached.
  Records deck;
  for (int p = 0; p < 10000; ++p) {
    char number[8];
    std::snprintf(number, sizeof number, "%04d", p);
    deck.push_back(std::string("*B06") + number + " 100PROBLEM " + number);
    deck.push_back(pad("UUNIT " + std::string(number), 17) + " 1");
    deck.push_back(p == 5000 ? "V99V01  2150   2  2150" : "V16V01  2150   2  2150");
    deck.push_back("Z");
  }
  run_deck(lines(deck));
  expect_orderly();
  const std::string qty = file("out.qty");
  EXPECT_EQ(count_of(qty, "GRAND TOTAL ="), 10000u);
  EXPECT_EQ(count_of(qty, "ERROR 5, ILLEGAL BAR SIZE, PROBLEM 5000 UNIT 5000"), 1u);
  EXPECT_NE(qty.find("PROB. NO. 9999\r"), std::string::npos);
  const std::string tab = file("out.tab");
  EXPECT_EQ(count_of(tab, "\r\n"), 2u * 9999u) << "a unit line and a vary bar line per listed problem";
  EXPECT_EQ(count_of(tab, "UNIT 5000"), 0u);
  EXPECT_NE(tab.find("UNIT 9999"), std::string::npos);
}

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
