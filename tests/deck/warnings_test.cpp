// The warnings of the deck reader, in process, grouped by the slip they
// catch: each with its line, column and text, and its note.
#include <gtest/gtest.h>

#include <unistd.h>
#include <string>
#include <vector>

#include "cards/decode.h"
#include "cards/descriptions.h"
#include "deck/deck_reader.h"
#include "deck/neat_card.h"
#include "deck/warnings.h"

namespace barlist::deck {
namespace {

// "LINE:COLUMN: TEXT", then each note as "  note LINE:COLUMN: TEXT".
class WarningRecorder final : public events::RunListener {
 public:
  void warning(const events::Warning& e) override {
    told.push_back(std::to_string(e.line) + ":" + std::to_string(e.column) + ": " + e.message);
    for (const events::Note& n : e.notes) {
      told.push_back("  note " + std::to_string(n.line) + ":" + std::to_string(n.column) + ": " + n.text);
    }
    for (const events::Fix& f : e.fixes) {
      told.push_back("  fix " + std::to_string(f.line) + ":" + std::to_string(f.first_column) + "-" +
                     std::to_string(f.last_column) + " \"" + f.text + "\"" + (f.safe ? " safe" : " unsafe") +
                     (f.keeps_values ? " keeps" : ""));
    }
  }
  std::vector<std::string> told;
};

std::string card(std::initializer_list<std::pair<std::size_t, std::string>> fields) {
  std::string text;
  for (const auto& [column, value] : fields) {
    if (text.size() < column - 1 + value.size()) text.resize(column - 1 + value.size(), ' ');
    text.replace(column - 1, value.size(), value);
  }
  return text;
}

std::vector<std::string> warnings_of(const std::string& bytes) {
  char path[] = "/tmp/warnings_test_XXXXXX";
  const int fd = mkstemp(path);
  EXPECT_EQ(write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  lseek(fd, 0, SEEK_SET);
  records::InputChannel deck(4, path, records::FileDescriptor::own(fd));
  unlink(path);
  WarningRecorder recorder;
  run_deck(deck, recorder, {.warnings = true});
  return recorder.told;
}

std::vector<std::string> warnings_of(const std::vector<std::string>& cards) {
  std::string bytes;
  for (const std::string& c : cards) bytes += c + "\n";
  return warnings_of(bytes);
}

const std::string kUnit = card({{1, "UWALL"}, {19, "1"}});

TEST(Warnings, NumbersAndTextOneColumnOff) {
  const std::vector<std::string> told = warnings_of({
      "*B06Q001 100ONE COLUMN OFF",
      kUnit,
      card({{1, " 16A01"}, {16, "2"}, {23, "03"}, {30, "4000"}}),            // 3: A shifted into B
      card({{1, " 16A02"}, {16, "2"}, {23, "1011"}, {27, "123456654321"}}),  // fields filled to their edges
      card({{1, " 16A03"}, {9, "125"}, {16, "2"}}),                          // 5: one length in two fields
      " 19W02         14     1013  4000",                                    // 6: the count shifted right
      card({{1, "S16S01001000   2"}, {20, "123"}}),                          // 7: the bar type shifted left
      card({{1, "R16S01X"}, {16, "3"}, {18, "5"}, {23, "03"}}),              // 8: a mark of four characters
      card({{1, "W"}, {15, "1250"}, {30, "NOTE"}}),                          // 9: the count into the weight
      card({{1, "W"}, {12, "2"}, {17, "    40"}}),                           // 10: the count shifted left
      card({{1, "V16V01"}, {15, "146431"}}),                                 // 11
      " 10C03000007   4123456",                                              // 12: filled, no telling which way
      "Z",
  });
  const std::vector<std::string> expected = {
      "3:30: the number in columns 30-33 runs across dimensions A (27-32) and B (33-38): read as A = 400, B = 0",
      "  note 3:30: punch each number right-justified in its own field: the dimension A ends at column 32",
      "  fix 3:27-38 \"  4000      \" safe",
      "5:7: length punched at the left of columns 7 to 12: read as 1205 mm (hundreds in 7 to 10, millimetres in 11 "
      "and 12)",
      "  note 5:7: punch all six digits of the length, with leading zeros or blanks: 012450 for 12450 mm",
      "  fix 5:7-12 \"  1205\" safe keeps",
      "6:17: column 17 is not read on a bar card: is the count (columns 13-16) shifted right? It reads as 1, not 14",
      "  note 6:17: punch the count right-justified in columns 13-16",
      "  fix 6:13-17 \"  14 \" safe",
      "7:20: columns 20-22 are not read on a store bar card: is the bar type (columns 23-24) shifted left? It reads as "
      "0, not 123",
      "  note 7:20: punch the bar type right-justified in columns 23-24",
      "8:7: column 7 is not read on a recall bar card: is the mark (columns 4-6) shifted right?",
      "  note 8:7: keep the mark within columns 4-6",
      "8:18: column 18 is not read on a recall bar card: is the count (columns 13-16) shifted right? It reads as 3",
      "  note 8:18: punch the count right-justified in columns 13-16",
      "9:15: the number in columns 15-18 runs across the count (13-16) and the lump weight (17-22): read as count = "
      "12, lump weight = 50",
      "  note 9:15: punch each number right-justified in its own field: the count ends at column 16",
      "9:30: columns 30-33 are not read on a lump weight card: is the lump weight (columns 17-22) shifted right? It "
      "reads as 50",
      "  note 9:30: punch the lump weight right-justified in columns 17-22",
      "10:12: column 12 is not read on a lump weight card: is the count (columns 13-16) shifted left? It reads as 0, "
      "not 2",
      "  note 10:12: punch the count right-justified in columns 13-16",
      "  fix 10:12-16 \"    2\" safe",
      "11:15: the number in columns 15-20 runs across the count (13-16) and the average length (17-22): read as "
      "count = 14, average length = 6431",
      "  note 11:15: punch each number right-justified in its own field: the count ends at column 16",
      "  fix 11:13-22 \"    146431\" safe",
      "12:17: columns 17-22 are not read on a bar card",
      "  note 12:17: leave columns 17-22 blank",
  };
  EXPECT_EQ(told, expected);
}

TEST(Warnings, BytesThatAreNotCardColumns) {
  std::vector<std::string> told = warnings_of({
      "*B06Q002 100TEXT",
      "UABUTMENT S\xc3\x9c"
      "D     2",           // Ü, two bytes in UTF-8
      "C M\xc3\x9cNCHEN",  // comments are passed over
      " 16\xc4"
      "01001000   2",         // Ä in Latin-1: one byte, one column
      "TSUMME \xe2\x82\xac",  // €, three bytes
      "Z",
  });
  std::vector<std::string> expected = {
      "2:12: non-ASCII character in column 12: it takes 2 columns (columns count bytes), so every field after it is "
      "read one column to the right",
      "  note 2:12: punch the card in plain ASCII (U for \xc3\x9c)",
      "  fix 2:12-13 \"U\" unsafe",
      "4:4: non-ASCII byte in column 4: it is not a whole character, and may show as other than it reads",
      "  note 4:4: punch the card in plain ASCII",
      "5:8: non-ASCII character in column 8: it takes 3 columns (columns count bytes), so the rest of the subtotal "
      "name is read two columns to the right",
      "  note 5:8: punch the card in plain ASCII",
  };
  EXPECT_EQ(told, expected);

  // A deck from an old Mac editor is one line; told once, at its first
  // carriage return, however many lines hold one.
  told = warnings_of(std::string("*B06Q003 100CR ONLY\rUWALL             1\r 16A01001000   2\rZ\r"));
  expected = {"1:20: the deck has carriage returns without line feeds: the lines they end read as one card",
              "  note 1:20: save the deck with line feeds (Unix) or CR LF line ends"};
  EXPECT_EQ(told, expected);
  told = warnings_of(std::string("*B06Q003 100CR\r\nUWALL\r  1\n 16A01001000   2\rZ\r\n"));
  expected = {"2:6: the deck has carriage returns without line feeds: the lines they end read as one card",
              "  note 2:6: save the deck with line feeds (Unix) or CR LF line ends",
              "3:1: the deck ends before the end card of problem Q003",  // its unit card and bar failed
              "  note 3:1: end each problem with a Z card"};
  EXPECT_EQ(told, expected);
}

// Problems a failed card leaves without their end card, and a line-skip
// count that the bar table cannot read.
TEST(Warnings, ProblemsWithoutTheirEndCardAndLineSkipCounts) {
  const std::vector<std::string> told = warnings_of({
      "*B06Q601 100FIRST", kUnit, "K-1",
      "K1X",                 // 4
      " 11A01001000   1",    // 5: error 5
      "*B06Q602 100SECOND",  // 6: opens a problem, the unit of Q601 still open
      kUnit, "TWALLS",
      " 16A01001000   1",   // 9: error 2, no unit open
      "*B06Q603 100THIRD",  // 10
      kUnit, "Z",
      "*B05Q604 100BAD CODE",  // error 1: the cards after it belong to Q603, which has ended
      "*B06Q605 100FIFTH", kUnit,
      " 11A01001000   1",  // 16: error 5, and the deck ends
  });
  const std::vector<std::string> expected = {
      "4:2: the line-skip count \"1X\" (columns 2-3) is not a number: the bar table stops at this card with an input "
      "conversion error",
      "  note 4:2: punch the number of lines right-justified in columns 2-3",
      "6:1: problem Q601 (line 1) has no end card: it has no last unit line and no grand total",
      "  note 6:1: end each problem with a Z card",
      "10:1: problem Q602 (line 6) has no end card: it has no grand total",
      "  note 10:1: end each problem with a Z card",
      "16:1: the deck ends before the end card of problem Q605",
      "  note 16:1: end each problem with a Z card",
  };
  EXPECT_EQ(told, expected);
}

// For each kind of card and slip: where it is told, what was read, and the
// edit that mends it.
TEST(Warnings, SlipsWithWhatWasReadAndTheirFixes) {
  std::vector<std::string> told = warnings_of({
      "*B06Q009  100 SLIPS",                                       // 1: the price shifted into the title
      card({{1, "UPEDESTAL"}, {19, "12"}}),                        // 2: the units shifted into the price
      card({{1, " 16A01001000   2"}}),                             //
      card({{1, "UWALL"}, {17, "12"}}),                            // 4: the units shifted into the name
      card({{1, " 16A02001000   2"}}),                             //
      "V10V07      15    3517",                                    // 6: a vary bar count at the left
      card({{1, "W"}, {16, "2"}, {18, "4 348"}}),                  // 7: a blank inside the weight
      card({{1, " 16A03001000"}, {13, "1 2"}}),                    // 8: a blank inside a bar count
      card({{1, " 16A04"}, {16, "2"}, {23, "03"}, {30, "4000"}}),  // 9: A into B, its digits back in A
      card({{1, "UPIER"}, {18, "2"}, {20, "1 25"}}),               // 10: units at the left, price with a blank
      card({{1, " 16A05"}, {16, "2"}, {23, "1"}, {29, "1200"}, {64, "12 5"}}),  // 11: the type, T1
      card({{1, "UPIER"}, {19, "1"}, {22, "125"}, {26, "NORTH"}}),              // 12: the price into the text
      card({{1, "V16V08"}, {12, "1200"}, {19, "3517"}}),                        // 13: the count into 7-12
      "V16V07        14   1446",                                                // 14: the length into 23
      "K  5",                                                                   // 15: the count into column 4
      "UPEDESTAL\t12",                                                          // 16: a tab
      card({{1, "V16V09"}, {15, "12"}, {19, "1446"}, {23, "03"}}),              // length and type side by side
      "K 5 LINES",                                                              // a note after the count
      "S\t16A06001000   2",                                                     // 19: a tab in place of nothing
      " 16A07\t2000\t2",  // 20: the length right-justified in columns 7-12 as one number
      "Z",
  });
  std::vector<std::string> expected = {
      "1:11: the number in columns 11-13 runs across the price (9-12) and the title (13-80): read as $0.10/kg",
      "  note 1:11: punch the price right-justified in columns 9-12",
      "  fix 1:9-13 \" 100 \" unsafe",
      "2:19: the number in columns 19-20 runs across the number of units (18-19) and the price (20-23): read as 1 "
      "unit at $0.02/kg",
      "  note 2:19: punch the number of units right-justified in columns 18-19",
      "  fix 2:18-23 \"12    \" safe",
      "4:17: the number in columns 17-18 begins in the unit name (2-17): read as 2 units at the problem's price",
      "  note 4:17: punch the number of units right-justified in columns 18-19",
      "  fix 4:17-19 \" 12\" unsafe",
      "6:13: count punched at the left of its field: read as 15, listed in the bar table as punched",
      "  note 6:13: punch the count right-justified in columns 13-16",
      "  fix 6:13-16 \"  15\" safe keeps",
      "7:18: blank inside the lump weight (columns 17-22): read as 4348",
      "  note 7:18: punch the lump weight right-justified in columns 17-22",
      "  fix 7:17-22 \"  4348\" safe keeps",
      "8:13: blank inside the count (columns 13-16): read as 12, listed in the bar table as 1020",
      "  note 8:13: punch the count right-justified in columns 13-16",
      "  fix 8:13-16 \"  12\" safe keeps",
      "9:30: the number in columns 30-33 runs across dimensions A (27-32) and B (33-38): read as A = 400, B = 0",
      "  note 9:30: punch each number right-justified in its own field: the dimension A ends at column 32",
      "  fix 9:27-38 \"  4000      \" safe",
      "10:18: number of units punched at the left of its field: read as 2, listed in the bar table as punched",
      "  note 10:18: punch the number of units right-justified in columns 18-19",
      "  fix 10:18-19 \" 2\" safe keeps",
      "10:20: blank inside the price (columns 20-23): read as $1.25/kg",
      "  note 10:20: punch the price right-justified in columns 20-23",
      "  fix 10:20-23 \" 125\" safe keeps",
      "11:23: bar type punched at the left of its field: read as 1, listed in the bar table as punched",
      "  note 11:23: punch the bar type right-justified in columns 23-24",
      "  fix 11:23-24 \" 1\" safe keeps",
      "11:64: blank inside the length T1 (columns 63-68): read as 125",
      "  note 11:64: punch the length T1 right-justified in columns 63-68",
      "  fix 11:63-68 \"   125\" safe keeps",
      "12:22: the number in columns 22-24 runs across the price (20-23) and the unit description (24-80): read as 1 "
      "unit at $0.12/kg",
      "  note 12:22: punch the price right-justified in columns 20-23",
      "  fix 12:20-24 \" 125 \" unsafe",
      "13:12: the number in columns 12-15 begins in the columns the bar table lists as the length (7-12): the count "
      "(13-16) reads as 200, not 1200",
      "  note 13:12: punch the count right-justified in columns 13-16",
      "  fix 13:7-16 \"      1200\" safe",
      "14:20: the number in columns 20-23 runs into the columns the bar table lists as the bar type (23-24): the "
      "average length (17-22) reads as 144, not 1446",
      "  note 14:20: punch the average length right-justified in columns 17-22",
      "  fix 14:17-24 \"  1446  \" safe",
      "15:4: column 4 is not read on a line-skip card: is the lines to skip (columns 2-3) shifted right? It reads as "
      "0, not 5",
      "  note 15:4: punch the number of lines right-justified in columns 2-3",
      "  fix 15:2-4 \" 5 \" safe",
      "16:10: tab in the card: it is one column, not blanks to a tab stop",
      "  note 16:10: punch blanks in place of the tab",
      "  fix 16:10-10 \"        \" unsafe",
      "19:2: tab in the card: it is one column, not blanks to a tab stop",
      "  note 19:2: punch blanks in place of the tab",
      "  fix 19:2-2 \"\" unsafe",
      "20:7: tab in the card: it is one column, not blanks to a tab stop",
      "  note 20:7: punch blanks in place of the tab",
      "  fix 20:7-7 \"  \" unsafe",
  };
  EXPECT_EQ(told, expected);

  // Cards whose fields stand one column off: a blank inserted, a character
  // dropped. The fields' own fixes are no longer safe.
  told = warnings_of({
      "*B06Q0101 25SHIFTS",  // a blank inside the price
      kUnit,
      " 16A01 001000   2",
      " 16A0101000   2",
      "W               2   125",
      "Z",
  });
  expected = {
      "1:9: blank inside the price (columns 9-12): read as $1.25/kg",
      "  note 1:9: punch the price right-justified in columns 9-12",
      "  fix 1:9-12 \" 125\" safe keeps",
      "3:7: the fields after column 7 stand one column to the right: a blank inserted there?",
      "  note 3:7: re-punch the card from column 8 on one column to the left",
      "  fix 3:7-17 \"001000   2 \" unsafe",
      "3:13: count punched at the left of its field: read as 0, listed in the bar table as 0000",
      "  note 3:13: punch the count right-justified in columns 13-16",
      "  fix 3:13-16 \"   0\" unsafe keeps",
      "3:17: column 17 is not read on a bar card: is the count (columns 13-16) shifted right? It reads as 0",
      "  note 3:17: punch the count right-justified in columns 13-16",
      "4:7: length punched at the left of columns 7 to 12: read as 10000 mm (hundreds in 7 to 10, millimetres in 11 "
      "and 12)",
      "  note 4:7: punch all six digits of the length, with leading zeros or blanks: 012450 for 12450 mm",
      "  fix 4:7-12 \" 10000\" unsafe keeps",
      "4:7: the fields from column 7 on stand one column to the left: a character dropped before it?",
      "  note 4:7: re-punch the card from column 7 on one column to the right",
      "  fix 4:7-16 \" 01000   2\" unsafe",
      "4:13: count punched at the left of its field: read as 2, listed in the bar table as 20",
      "  note 4:13: punch the count right-justified in columns 13-16",
      "  fix 4:13-16 \"   2\" unsafe keeps",
      "5:16: the fields after column 16 stand one column to the right: a blank inserted there?",
      "  note 5:16: re-punch the card from column 17 on one column to the left",
      "  fix 5:16-23 \"2   125 \" unsafe",
      "5:17: blank inside the lump weight (columns 17-22): read as 212",
      "  note 5:17: punch the lump weight right-justified in columns 17-22",
      "  fix 5:17-22 \"   212\" unsafe keeps",
      "5:23: column 23 is not read on a lump weight card: is the lump weight (columns 17-22) shifted right? It reads "
      "as 212",
      "  note 5:23: punch the lump weight right-justified in columns 17-22",
  };
  EXPECT_EQ(told, expected);
}

// The checks of slips that pass 1 passes over on a neat card.
std::vector<CardWarning> slips_in(const std::string& record) {
  const Card card(record);
  std::vector<CardWarning> found;
  check_line_ends(record, found);
  check_record(record, found);
  switch (card.kind()) {
    case cards::CardKind::Bar:
    case cards::CardKind::StoreBar: {
      BarCard bar;
      if (cards::decode(cards::kBar, card.text(), bar).ok()) check_bar_card(card, bar, found);
      break;
    }
    case cards::CardKind::RecallBar:
      check_recall_card(card, found);
      break;
    case cards::CardKind::VaryBar:
      check_vary_bar_card(card, found);
      break;
    case cards::CardKind::LumpWeight:
      check_lump_weight_card(card, found);
      break;
    case cards::CardKind::Unit:
      check_number_shapes(card, found);
      break;
    default:
      break;
  }
  return found;
}

bool neat(const std::string& record) { return neatly_punched(record, Card(record)); }

TEST(Warnings, ANeatCardHasNoSlipToFind) {
  const std::string bar = card({{1, " 16A01 12450   2"}, {23, " 3"}, {25, "12"}, {27, "   400"}, {75, " 10 45"}});
  const std::string vary = "V19V03  3000   4  2007";
  const std::string lump = "W              3   125";
  const std::string unit = "UUNIT 0000        2 110 DESCRIPTION OF UNIT 0";
  // Each neat card, and the same card after one slip.
  const struct {
    std::string record;
    bool neat;
  } cards[] = {
      {bar, true},
      {vary, true},
      {lump, true},
      {unit, true},
      {card({{1, "R16A01"}, {16, "3"}}), true},
      {"C  ANY TEXT 12 3", true},
      {card({{1, " 16A01 1245    2"}}), false},              // the length at the left of its six columns
      {card({{1, " 16A01 12450  2 "}}), false},              // the count at the left
      {card({{1, " 16A01 12450   2"}, {20, "1"}}), false},   // text in a column no field reads
      {"V19V03  3000  4   2007", false},                     // the count at the left
      {"V19V033000     4  2007", false},                     // columns 7 to 12 at the left
      {"W              3  12 5", false},                     // a blank inside the weight
      {"UUNIT 0000        2 11 DESCRIPTION", false},         // the price at the left
      {card({{1, "R16A01"}, {16, "3"}, {40, "5"}}), false},  // a dimension at the left
      {"V19V03  30001234  2007", false},                     // the count begun in columns 7 to 12
      {"V19V03  3000   4   20071", false},                   // the length run on into the bar type
      {"UUNIT 0000        2 1105DESCRIPTION", false},        // the price run on into the text after it
      {"K 12", false},                                       // the line-skip count run on
      {"C\tTAB", false},
      {vary + "\r", false},
      {"C CAF\xc3\x89", false},
      {std::string(80, ' ') + "X", false},
  };
  for (const auto& c : cards) EXPECT_EQ(neat(c.record), c.neat) << c.record;

  // Whatever one column holds, or a column shifted in or out, a card that
  // is neat has no slip for the checks to find.
  for (const std::string& base : {bar, vary, lump, unit, card({{1, "R16A01"}, {16, "3"}})}) {
    std::vector<std::string> variants;
    const std::string padded = base + std::string(80 - base.size(), ' ');
    for (std::size_t at = 1; at < 80; ++at) {
      for (const char c : {' ', '7', 'A', '.', '\t'})
        variants.push_back(padded.substr(0, at) + c + padded.substr(at + 1));
      variants.push_back(padded.substr(0, at) + padded.substr(at + 1) + " ");       // shifted left
      variants.push_back(padded.substr(0, at) + " " + padded.substr(at, 79 - at));  // shifted right
    }
    for (const std::string& variant : variants) {
      if (neat(variant)) {
        EXPECT_TRUE(slips_in(variant).empty()) << variant;
      }
    }
  }
}

}  // namespace
}  // namespace barlist::deck
