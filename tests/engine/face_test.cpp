#include "engine/face.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace barlist::engine {
namespace {

using diagnostics::Severity;

std::string pier_cap() {
  std::ifstream file(BARLIST_EXAMPLES "/pier-cap.deck", std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

// The example with line `line` (from 1) replaced.
std::string with_line(std::size_t line, const std::string& card) {
  std::string deck = pier_cap();
  std::size_t from = 0;
  for (std::size_t n = 1; n < line; ++n) from = deck.find('\n', from) + 1;
  return deck.replace(from, deck.find('\n', from) - from, card);
}

// "LINE:COLUMN KIND", the way a reader scans a list of diagnostics.
std::vector<std::string> places(const CheckResult& result) {
  std::vector<std::string> shown;
  for (const auto& d : result.diagnostics) {
    shown.push_back(std::to_string(d.line) + ":" + std::to_string(d.column) + " " + d.kind);
  }
  return shown;
}

struct Case {
  const char* name;
  std::string deck;
  CheckOptions options;
  int status;
  std::vector<std::string> places;
  std::string summary;
};

TEST(Face, TellsFindingsSummaryAndStatus) {
  const std::string lump_comma = with_line(20, "W              4  12,5");
  const std::string left_count = " 29T01      10        1011 11900";  // the count at the left of its field
  const Case cases[] = {
      {"clean", pier_cap(), {}, 0, {}, ""},
      {"a count at the left and a bad size",
       with_line(8, " 11B01         8       3   11900   600").replace(pier_cap().find(" 29T01"), 32, left_count),
       {},
       2,
       {"7:13 warning", "8:2 error 5"},
       "1 error, 1 warning; no bar table for problem P201"},
      {"a warning under strict",
       with_line(7, left_count),
       {.strict = true},
       2,
       {"7:13 warning"},
       "0 errors, 1 warning"},
      {"a number that stops a run",
       lump_comma,
       {},
       1,
       {"20:21 fatal error"},
       "1 error; no bar table for problem P201; a run would stop at line 20"},
      {"the same number under a check",
       lump_comma,
       {.check_only = true},
       2,
       {"20:21 error"},
       "1 error; no bar table for problem P201; a run would stop at line 20"},
      {"an empty deck", "", {}, 1, {"0:0 fatal error"}, "1 error"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CheckResult result = check(c.deck, c.options);
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(places(result), c.places);
    EXPECT_EQ(result.summary, c.summary);
    EXPECT_FALSE(result.quantities || result.bar_table || result.json || result.csv);
  }
}

TEST(Face, FatalStopCarriesItsCardAndNote) {
  const CheckResult result = check(with_line(20, "W              4  12,5"), {});
  ASSERT_EQ(result.diagnostics.size(), 1u);
  const diagnostics::Diagnostic& stop = result.diagnostics[0];
  EXPECT_EQ(stop.severity, Severity::Fatal);
  EXPECT_EQ(stop.card, "W              4  12,5");
  EXPECT_EQ(stop.message.rfind("input conversion error: ", 0), 0u) << stop.message;
  ASSERT_EQ(stop.notes.size(), 1u);
  EXPECT_EQ(stop.notes[0].severity, Severity::Note);
}

TEST(Face, HintsEachWorkedOutBarCard) {
  const CheckResult result = check(pier_cap(), {});
  std::vector<events::Line> lines;
  for (const Hint& hint : result.hints) {
    lines.push_back(hint.line);
    EXPECT_GT(hint.length_mm, 0) << hint.line;
    EXPECT_GT(hint.weight_kg, 0) << hint.line;
  }
  EXPECT_EQ(lines, (std::vector<events::Line>{7, 8, 10, 12, 13, 14, 17, 18}));  // not the lump weight of line 20
  EXPECT_EQ(result.hints[2].length_mm, 11900);                                  // as punched on the card
}

TEST(Face, MakesOnlyTheProductsAskedFor) {
  const CheckResult all = check(pier_cap(), {.epoch = 0, .reports = true, .json = true, .csv = true});
  ASSERT_TRUE(all.quantities && all.bar_table && all.json && all.csv);
  EXPECT_NE(all.quantities->find("01-JAN-70"), std::string::npos);
  EXPECT_EQ(all.json->find("\"started\": \"1970-01-01T00:00:00Z\""), all.json->find("\"started\""));
  const CheckResult checked = check(pier_cap(), {.check_only = true, .reports = true, .csv = true});
  EXPECT_FALSE(checked.quantities || checked.bar_table || checked.json);
  EXPECT_EQ(checked.csv, all.csv);
  const CheckResult stopped = check(with_line(20, "W              4  12,5"), {.reports = true, .json = true});
  EXPECT_TRUE(stopped.quantities && !stopped.json);  // the quantities as far as the run got
  EXPECT_TRUE(check(pier_cap(), {.epoch = -1}).diagnostics.at(0).severity == Severity::Fatal);
}

}  // namespace
}  // namespace barlist::engine
