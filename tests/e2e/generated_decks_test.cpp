// Decks too large to keep as files, built here: the capacity limits of the
// bar-length table (2000 entries a run) and of the store table (998 store
// bars a problem), and a run of more than fifty problems.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "barlist_run.hpp"

namespace {

using e2e::blanks;
using e2e::pad;
using e2e::problem_header;
using e2e::Records;

std::string right(const std::string& s, std::size_t width) {
  return s.size() >= width ? s : blanks(width - s.size()) + s;
}

std::string number4(int n) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%04d", n);
  return buf;
}

// Cards. Every bar is one size 10 bar; its weight is 0.56 kg per metre.
std::string id_card(const std::string& number, const std::string& title) { return "*B06" + number + "0100" + title; }
const std::string kUnitCard = "UUNIT             1";
std::string bar_card(char kind, const std::string& mark, int length) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%c10%s%06d   1", kind, mark.c_str(), length);
  return buf;
}
std::string recall_card(const std::string& mark) { return "R10" + mark + blanks(6) + "   1"; }

// A unit named UNIT, one like unit at 1.00 a kilogram, weighing `kg`.
std::string unit_line(int kg) {
  const std::string w = right(std::to_string(kg), 9);
  const std::string cost = right(std::to_string(kg) + ".00", 10);
  return "0" + pad("UNIT", 16) + w + " kg    x" + blanks(2) + " 1" + blanks(2) + "=" + w + " kg   at" + "  1.00" +
         blanks(2) + "= $" + cost;
}

std::string grand_total_line(int kg) {
  return "0" + blanks(27) + "GRAND TOTAL =" + right(std::to_string(kg), 9) + " kg  " + blanks(13) + "$" +
         right(std::to_string(kg) + ".00", 10);
}

// Bar-table lines.
const std::string kUnitTableLine = pad(pad("UNIT", 16) + " " + " 1", 105);
std::string bar_table_line(const std::string& mark, int length) {
  return pad(blanks(22) + "10" + mark + right(std::to_string(length), 6) + blanks(2) + "   1", 115);
}

void append(Records& to, const Records& more) { to.insert(to.end(), more.begin(), more.end()); }

struct Deck {
  Records cards;
  void add(const std::string& card) { cards.push_back(card); }
  void add(int times, const std::string& card) { cards.insert(cards.end(), times, card); }
  std::string text() const { return e2e::join_lines(cards); }
};

void expect_normal_end(const e2e::BarlistRun& run) {
  ASSERT_FALSE(run.process.timed_out);
  EXPECT_EQ(run.process.exit_code, 0) << run.process.err;
  EXPECT_EQ(run.process.err, "");
  ASSERT_TRUE(run.qty_exists);
  ASSERT_TRUE(run.tab_exists);
}

void expect_quantities(const e2e::BarlistRun& run, const Records& records) {
  const std::string diff = e2e::describe_difference(e2e::asa_bytes(records), e2e::mask_clock(run.qty));
  EXPECT_TRUE(diff.empty()) << "quantities file: " << diff;
}

void expect_bar_table(const e2e::BarlistRun& run, const Records& lines) {
  const std::string diff = e2e::describe_difference(e2e::crlf_lines(e2e::join_lines(lines)), run.tab);
  EXPECT_TRUE(diff.empty()) << "bar-table file: " << diff;
}

// 100 mm bars weigh 0.056 kg each; a thousand of them (or 999, or 998) make
// a unit of 56 kg after rounding, well clear of a half kilogram.

TEST(BarTableCapacity, TwoThousandBarsInARunAreListed) {
  Deck deck;
  deck.add(id_card("0001", "FIRST THOUSAND"));
  deck.add(kUnitCard);
  deck.add(1000, bar_card(' ', "B01", 100));
  deck.add("Z");
  deck.add(id_card("0002", "SECOND THOUSAND"));
  deck.add(kUnitCard);
  deck.add(1000, bar_card(' ', "B02", 100));
  deck.add("Z");

  e2e::TempDir dir;
  const auto run = e2e::run_barlist(deck.text(), dir);
  expect_normal_end(run);
  EXPECT_EQ(run.process.out, e2e::kPrompts);

  Records qty = problem_header("0001", "FIRST THOUSAND");
  append(qty, {unit_line(56), grand_total_line(56)});
  append(qty, problem_header("0002", "SECOND THOUSAND"));
  append(qty, {unit_line(56), grand_total_line(56)});
  expect_quantities(run, qty);

  Records tab{kUnitTableLine};
  tab.insert(tab.end(), 1000, bar_table_line("B01", 100));
  tab.push_back(kUnitTableLine);
  tab.insert(tab.end(), 1000, bar_table_line("B02", 100));
  expect_bar_table(run, tab);
}

TEST(BarTableCapacity, BarTwoThousandAndOneEndsTheRunOnTheConsole) {
  // The count runs over the whole run: 1000 bars in the first problem and
  // the 1001st bar of the second one is the 2001st.
  Deck deck;
  deck.add(id_card("0001", "FIRST THOUSAND"));
  deck.add(kUnitCard);
  deck.add(1000, bar_card(' ', "B01", 100));
  deck.add("Z");
  deck.add(id_card("0002", "ONE TOO MANY"));
  deck.add(kUnitCard);
  deck.add(1001, bar_card(' ', "B02", 100));
  deck.add("Z");

  e2e::TempDir dir;
  const auto run = e2e::run_barlist(deck.text(), dir);
  expect_normal_end(run);
  EXPECT_EQ(run.process.out, e2e::kPrompts + "0ERROR 19, TOO MANY BARS; BREAK INTO TWO RUNS.\r\n");

  Records qty = problem_header("0001", "FIRST THOUSAND");
  append(qty, {unit_line(56), grand_total_line(56)});
  append(qty, problem_header("0002", "ONE TOO MANY"));
  expect_quantities(run, qty);

  // On the command line the error is a diagnostic at its card, standard
  // output stays empty, and the status tells that the deck has an error.
  e2e::TempDir cli_dir;
  e2e::write_file(cli_dir.path() / "input.deck", deck.text());
  const auto cli = e2e::run_process(BARLIST_BINARY, {"input.deck"}, "", cli_dir.path().string());
  EXPECT_EQ(cli.exit_code, 2);
  EXPECT_EQ(cli.out, "");
  const std::string card = bar_card(' ', "B02", 100);
  EXPECT_EQ(cli.err, "input.deck:2006:1: error 19: TOO MANY BARS; BREAK INTO TWO RUNS.\n" + card +
                         "\n^\n"
                         "input.deck:2006:1: note: split the deck into two runs\n"
                         "input.deck: 1 error; no bar table for problems 0001, 0002\n");
  EXPECT_EQ(e2e::read_file(cli_dir.path() / "input.tab"), "");
  EXPECT_EQ(run.tab, "");
}

TEST(StoreTableCapacity, NineHundredNinetyEightStoreBarsInEachProblemAreKept) {
  // The store table starts empty in each problem; the 998th store bar is
  // recalled to show that it was kept.
  Deck deck;
  for (const char* number : {"0001", "0002"}) {
    deck.add(id_card(number, "FULL STORE TABLE"));
    deck.add(kUnitCard);
    deck.add(997, bar_card('S', "S01", 100));
    deck.add(bar_card('S', "ZZZ", 100));
    deck.add(recall_card("ZZZ"));
    deck.add("Z");
  }

  e2e::TempDir dir;
  const auto run = e2e::run_barlist(deck.text(), dir);
  expect_normal_end(run);
  EXPECT_EQ(run.process.out, e2e::kPrompts);

  Records qty, tab;
  for (const char* number : {"0001", "0002"}) {
    append(qty, problem_header(number, "FULL STORE TABLE"));
    append(qty, {unit_line(56), grand_total_line(56)});
    tab.push_back(kUnitTableLine);
    tab.insert(tab.end(), 997, bar_table_line("S01", 100));
    tab.push_back(bar_table_line("ZZZ", 100));
    tab.push_back(bar_table_line("ZZZ", 100));
  }
  expect_quantities(run, qty);
  expect_bar_table(run, tab);
}

TEST(StoreTableCapacity, StoreBarNineHundredNinetyNineEndsTheRunOnTheConsole) {
  Deck deck;
  deck.add(id_card("0001", "TOO MANY STORE BARS"));
  deck.add(kUnitCard);
  deck.add(999, bar_card('S', "S01", 100));
  deck.add("Z");

  e2e::TempDir dir;
  const auto run = e2e::run_barlist(deck.text(), dir);
  expect_normal_end(run);
  EXPECT_EQ(run.process.out, e2e::kPrompts + "0ERROR 20, TOO MANY STORE BARS; USE TWO RUNS.\r\n");
  expect_quantities(run, problem_header("0001", "TOO MANY STORE BARS"));
  EXPECT_EQ(run.tab, "");
}

TEST(ManyProblems, FiftyFiveProblemsAreTotalledAndListed) {
  // Each problem has one bar of its own length, 1001 to 1055 mm (0.56 to
  // 0.59 kg, a unit of 1 kg), so a misplaced bar-table entry shows.
  Deck deck;
  Records qty, tab;
  for (int p = 1; p <= 55; ++p) {
    const std::string title = "PROBLEM " + std::to_string(p);
    deck.add(id_card(number4(p), title));
    deck.add(kUnitCard);
    deck.add(bar_card(' ', "B01", 1000 + p));
    deck.add("Z");
    append(qty, problem_header(number4(p), title));
    append(qty, {unit_line(1), grand_total_line(1)});
    tab.push_back(kUnitTableLine);
    tab.push_back(bar_table_line("B01", 1000 + p));
  }

  e2e::TempDir dir;
  const auto run = e2e::run_barlist(deck.text(), dir);
  expect_normal_end(run);
  EXPECT_EQ(run.process.out, e2e::kPrompts);
  expect_quantities(run, qty);
  expect_bar_table(run, tab);
}

TEST(DeckReader, LineSkipCountThatDoesNotConvertStopsTheBarTable) {
  // Pass 1 never looks at a line-skip count, so the quantities file is
  // complete; pass 2 converts it and the run stops there.
  Deck deck;
  deck.add(id_card("0001", "BAD LINE-SKIP COUNT"));
  deck.add(kUnitCard);
  deck.add(bar_card(' ', "B01", 1000));
  deck.add("KAB");
  deck.add(bar_card(' ', "B02", 2000));
  deck.add("Z");

  e2e::TempDir dir;
  const auto run = e2e::run_barlist(deck.text(), dir);
  ASSERT_FALSE(run.process.timed_out);
  EXPECT_EQ(run.process.exit_code, 1);
  EXPECT_EQ(run.process.out, e2e::kPrompts);
  EXPECT_EQ(run.process.err, "barlist: input conversion error, unit 4, file " + run.deck.string() + "\n");

  // 0.56 + 1.12 kg make a unit of 2 kg.
  Records qty = problem_header("0001", "BAD LINE-SKIP COUNT");
  append(qty, {unit_line(2), grand_total_line(2)});
  expect_quantities(run, qty);
  expect_bar_table(run, {kUnitTableLine, bar_table_line("B01", 1000)});
}

}  // namespace
