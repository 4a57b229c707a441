// Hostile decks for the real binary: broken, binary and oversized. Whatever
// the bytes, barlist ends with its reports, a deck error in the quantities
// file, or one fatal line and status 1; never a crash or a hang.
#include "hostile_fixture.hpp"

namespace hostile {
namespace {

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

}  // namespace
}  // namespace hostile
