#include "engine/face.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace barlist::engine {
namespace {

using diagnostics::Severity;

std::string example(const std::string& name) {
  std::ifstream file(BARLIST_EXAMPLES "/" + name, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::string pier_cap() { return example("pier-cap.deck"); }

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

// Each problem's rows add up to the grand total that the quantities file
// prints, and the total and cost are its very texts.
TEST(Face, WeighsEachProblemToItsGrandTotal) {
  const auto whole = [](const std::string& text) { return text.empty() ? 0 : std::stol(text); };
  for (const char* name : {"pier-cap.deck", "deck-slab.deck", "abutment.deck"}) {
    SCOPED_TRACE(name);
    const CheckResult result = check(example(name), {.reports = true, .weights = true});
    ASSERT_TRUE(result.weights && result.quantities);
    ASSERT_FALSE(result.weights->empty());
    for (const ProblemWeights& problem : *result.weights) {
      long sizes = 0;
      for (const SizeWeights& size : problem.sizes) sizes += whole(size.weight_kg);
      EXPECT_EQ(sizes, whole(problem.bars_kg));
      ASSERT_FALSE(problem.total_kg.empty());
      EXPECT_EQ(whole(problem.bars_kg) + whole(problem.lumps_kg) + whole(problem.rounding_kg), whole(problem.total_kg));
      const std::string total_line = "GRAND TOTAL =" + std::string(9 - problem.total_kg.size(), ' ') + problem.total_kg;
      EXPECT_NE(result.quantities->find(total_line), std::string::npos) << total_line;
      EXPECT_NE(result.quantities->find(" $" + std::string(10 - problem.cost.size(), ' ') + problem.cost),
                std::string::npos);
    }
  }
  const ProblemWeights pier = check(pier_cap(), {.weights = true}).weights->at(0);
  EXPECT_EQ(pier.lumps_kg, "300");  // 4 sets of 12.5 kg on each of 6 plinths
  EXPECT_EQ(pier.sizes.at(0).size, "13");
  EXPECT_FALSE(check(with_line(20, "W              4  12,5"), {.weights = true}).weights);
}

TEST(Face, HintTextsInTheReportsPrecision) {
  const struct {
    float length_mm, weight_kg;
    const char *length, *weight;
  } cases[] = {
      {11900, 640.08997f, "11900 mm", "640.1 kg"},
      {1875.5f, 0.185f, "1875 mm", "0.19 kg"},  // a vary bar's average as the quantities file shows it
      {1875.9f, 9.996f, "1876 mm", "10.00 kg"},
      {1e12f, NAN, "************ mm", "*** kg"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(length_text(c.length_mm), c.length);
    EXPECT_EQ(weight_text(c.weight_kg), c.weight);
  }
}

}  // namespace
}  // namespace barlist::engine
