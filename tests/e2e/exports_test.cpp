// The JSON record and the CSV schedule of real runs, held against the two
// reports of the same run: the same figures, the same bars, the same lengths.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "barlist_run.hpp"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

struct ExportedRun {
  e2e::ProcessResult process;
  std::string qty;
  std::string tab;
  json record;
  std::vector<std::vector<std::string>> csv_rows;  // the header row first
};

// Simple CSV: the examples hold no quoted field.
std::vector<std::vector<std::string>> csv_rows(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> row;
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, ',');) row.push_back(cell);
    rows.push_back(row);
  }
  return rows;
}

ExportedRun run_example(const std::string& name, const e2e::TempDir& dir) {
  fs::copy_file(fs::path(BARLIST_EXAMPLES) / (name + ".deck"), dir.path() / (name + ".deck"));
  ::setenv("SOURCE_DATE_EPOCH", "0", 1);
  ExportedRun run;
  run.process =
      e2e::run_process(BARLIST_BINARY, {"--json", "-", "--csv", "out.csv", name + ".deck"}, "", dir.path().string());
  ::unsetenv("SOURCE_DATE_EPOCH");
  run.qty = e2e::read_file(dir.path() / (name + ".qty"));
  run.tab = e2e::read_file(dir.path() / (name + ".tab"));
  run.record = json::parse(run.process.out);
  run.csv_rows = csv_rows(e2e::read_file(dir.path() / "out.csv"));
  return run;
}

// "%9d" as the reports print whole kilograms.
std::string i9(long long n) {
  std::string s = std::to_string(n);
  return std::string(s.size() < 9 ? 9 - s.size() : 0, ' ') + s;
}

class Exports : public testing::TestWithParam<std::string> {};

TEST_P(Exports, JsonAndCsvAgreeWithTheReports) {
  e2e::TempDir dir;
  const ExportedRun run = run_example(GetParam(), dir);
  const json& record = run.record;
  EXPECT_EQ(record["deck"], GetParam() + ".deck");
  EXPECT_EQ(record["date"], "01-JAN-70");
  EXPECT_TRUE(record["complete"].get<bool>());

  for (const json& problem : record["problems"]) {
    SCOPED_TRACE(problem["number"].get<std::string>());
    for (const json& unit : problem["units"]) {
      // The unit line of the quantities file shows the same figures.
      EXPECT_NE(run.qty.find(i9(unit["weight"]) + " kg    x"), std::string::npos) << unit["name"];
      EXPECT_NE(run.qty.find("=" + i9(unit["total_weight"]) + " kg   at"), std::string::npos) << unit["name"];
      // Its items add up, in single precision, to the weight it rounds.
      float sum = 0;
      for (const json& item : unit["items"]) sum += item["weight"].get<float>();
      EXPECT_EQ(static_cast<long long>(std::trunc(sum + 0.5f)), unit["weight"].get<long long>()) << unit["name"];
      // A listed problem's units head their part of the bar table.
      if (problem["listed"].get<bool>()) {
        EXPECT_NE(run.tab.find(unit["name"].get<std::string>()), std::string::npos);
      }
    }
    if (!problem["total"].is_null()) {
      EXPECT_NE(run.qty.find("GRAND TOTAL =" + i9(problem["total"]["weight"])), std::string::npos);
    }
  }
  // Every error of the quantities file, with its line.
  std::size_t error_lines = 0;
  for (std::size_t p = run.qty.find("ERROR "); p != std::string::npos; p = run.qty.find("ERROR ", p + 1)) ++error_lines;
  EXPECT_EQ(record["errors"].size(), error_lines);
  for (const json& error : record["errors"]) EXPECT_GT(error["line"].get<int>(), 0);

  // One CSV row per bar line of the bar table (115 columns), with its length;
  // a vary bar's line shows its length columns as punched, the row the
  // average length the weight was worked out from.
  std::vector<std::string> lengths;
  std::istringstream tab(run.tab);
  for (std::string line; std::getline(tab, line);) {
    if (line.size() == 116) lengths.push_back(std::to_string(std::stoi(line.substr(27, 6))));
  }
  ASSERT_FALSE(run.csv_rows.empty());
  EXPECT_EQ(run.csv_rows[0].size(), 23u);
  ASSERT_EQ(run.csv_rows.size(), lengths.size() + 1);
  for (std::size_t i = 0; i < lengths.size(); ++i) {
    if (run.csv_rows[i + 1][3] == "vary") continue;
    EXPECT_EQ(run.csv_rows[i + 1][20], lengths[i]) << "row " << i + 1;
  }
}

INSTANTIATE_TEST_SUITE_P(Examples, Exports, testing::ValuesIn(e2e::deck_stems(BARLIST_EXAMPLES)),
                         [](const auto& info) { return e2e::test_name(info.param); });

// The example in the JSON reference is the real record of examples/pier-cap.deck.
TEST(JsonReference, ItsExampleIsTheRealRecord) {
  const std::string doc = e2e::read_file(fs::path(BARLIST_DOCS) / "json-format.md");
  const std::size_t start = doc.find("```json\n");
  ASSERT_NE(start, std::string::npos);
  const std::size_t end = doc.find("```", start + 8);
  e2e::TempDir dir;
  const ExportedRun run = run_example("pier-cap", dir);
  EXPECT_EQ(doc.substr(start + 8, end - start - 8), run.process.out);
}

}  // namespace
