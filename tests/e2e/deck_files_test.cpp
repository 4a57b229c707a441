// Runs barlist on every deck of tests/decks and compares both report files
// with the expected ones: NAME.qty (records with their carriage control) and
// NAME.tab (bar-table lines).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "barlist_run.hpp"
#include "engine/face.h"

#ifndef BARLIST_DECKS
#error "BARLIST_DECKS must name the folder of test decks"
#endif

namespace fs = std::filesystem;

namespace {

// Runs barlist on `deck_text` and compares its reports with the expected files
// of the deck `name`.
void expect_reports(const std::string& name, const std::string& deck_text) {
  const fs::path base = fs::path(BARLIST_DECKS) / name;
  e2e::expect_reports(name, deck_text, e2e::asa_bytes(e2e::read_file(base.string() + ".qty")),
                      e2e::crlf_lines(e2e::read_file(base.string() + ".tab")));
}

std::string deck_text(const std::string& name) {
  return e2e::read_file((fs::path(BARLIST_DECKS) / name).string() + ".deck");
}

class DeckFile : public testing::TestWithParam<std::string> {};

TEST_P(DeckFile, WritesExpectedReports) { expect_reports(GetParam(), deck_text(GetParam())); }

// The command line writes the same reports, with the header clock fixed by
// SOURCE_DATE_EPOCH, and its exit status tells whether the deck had errors.
TEST_P(DeckFile, CommandLineWritesTheSameReports) {
  const fs::path base = fs::path(BARLIST_DECKS) / GetParam();
  const std::string want_qty = e2e::asa_bytes(e2e::read_file(base.string() + ".qty"));
  const bool has_errors =
      want_qty.find("ERROR ") != std::string::npos || want_qty.find("PREMATURE END OF FILE") != std::string::npos;
  e2e::TempDir dir;
  e2e::write_file(dir.path() / "input.deck", deck_text(GetParam()));
  ::setenv("SOURCE_DATE_EPOCH", "1765202733", 1);  // 08-DEC-25 14:05:33 UTC
  const e2e::ProcessResult run = e2e::run_process(BARLIST_BINARY, {"-q", "input.deck"}, "", dir.path().string());
  ::unsetenv("SOURCE_DATE_EPOCH");
  EXPECT_EQ(run.exit_code, has_errors ? 2 : 0);
  EXPECT_EQ(run.out + run.err, "");
  std::vector<std::string> dates, times;
  const std::string qty = e2e::mask_clock(e2e::read_file(dir.path() / "input.qty"), &dates, &times);
  for (const std::string& date : dates) EXPECT_EQ(date, "08-DEC-25");
  for (const std::string& time : times) EXPECT_EQ(time, "14:05:33");
  EXPECT_EQ(e2e::describe_difference(want_qty, qty), "");
  EXPECT_EQ(e2e::describe_difference(e2e::crlf_lines(e2e::read_file(base.string() + ".tab")),
                                     e2e::read_file(dir.path() / "input.tab")),
            "");
}

// The engine's face, given the deck's bytes, makes the same reports and the
// same status, the quantities file with the clock it is given.
TEST_P(DeckFile, FaceMakesTheSameReports) {
  const fs::path base = fs::path(BARLIST_DECKS) / GetParam();
  const std::string want_qty = e2e::asa_bytes(e2e::read_file(base.string() + ".qty"));
  const bool has_errors =
      want_qty.find("ERROR ") != std::string::npos || want_qty.find("PREMATURE END OF FILE") != std::string::npos;
  const auto result = barlist::engine::check(deck_text(GetParam()), {.epoch = 1765202733, .reports = true});
  EXPECT_EQ(result.status, has_errors ? 2 : 0);
  ASSERT_TRUE(result.quantities && result.bar_table);
  std::vector<std::string> dates, times;
  EXPECT_EQ(e2e::describe_difference(want_qty, e2e::mask_clock(*result.quantities, &dates, &times)), "");
  for (const std::string& date : dates) EXPECT_EQ(date, "08-DEC-25");
  EXPECT_EQ(e2e::describe_difference(e2e::crlf_lines(e2e::read_file(base.string() + ".tab")), *result.bar_table), "");
}

// A card line may end in CR LF, and the last one may have no line end at all;
// the cards read the same either way.
TEST(DeckLineEnds, CrLfAndAnUnendedLastCardReadAsPlainLines) {
  for (const std::string name : {"comments_lineskip", "odd_cards"}) {
    SCOPED_TRACE(name);
    std::string crlf;
    for (char c : deck_text(name)) crlf += (c == '\n') ? std::string("\r\n") : std::string(1, c);
    ASSERT_GE(crlf.size(), 2u);
    crlf.resize(crlf.size() - 2);
    expect_reports(name, crlf);
  }
}

INSTANTIATE_TEST_SUITE_P(Decks, DeckFile, testing::ValuesIn(e2e::deck_stems(BARLIST_DECKS)),
                         [](const auto& info) { return e2e::test_name(info.param); });

}  // namespace
