// barlist compare on the real binary: revisions of the examples against their
// expected text byte for byte, the JSON document read back, and the cases at
// the edges in one table.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>
#include <vector>

#include "command_line_fixture.hpp"

namespace {

namespace fs = std::filesystem;
using e2e::write_file;
using nlohmann::json;

class CompareTest : public e2e::CommandLineTest {
 protected:
  // The example and its revision copied here under their own names.
  e2e::ProcessResult compare_revision(const std::string& name, std::vector<std::string> options = {}) {
    fs::copy_file(fs::path(BARLIST_EXAMPLES) / (name + ".deck"), file(name + ".deck"));
    fs::copy_file(fs::path(BARLIST_COMPARE_DECKS) / (name + "-revised.deck"), file(name + "-revised.deck"));
    options.insert(options.begin(), {"compare", name + ".deck", name + "-revised.deck"});
    return barlist(options);
  }
};

TEST_F(CompareTest, RevisionsOfTheExamplesPrintTheirExpectedChanges) {
  // pier-cap: a count and a length changed, a bar added; deck-slab: a unit
  // removed, a price changed; abutment: errors mended, a problem added.
  for (const std::string name : {"pier-cap", "deck-slab", "abutment"}) {
    const auto result = compare_revision(name);
    const std::string want = e2e::read_file(fs::path(BARLIST_COMPARE_DECKS) / (name + "-revised.out"));
    EXPECT_EQ(result.exit_code, 1) << name;
    EXPECT_EQ(result.err, "") << name;
    EXPECT_EQ(e2e::describe_difference(want, result.out), "") << name;
  }
}

TEST_F(CompareTest, JsonDocumentHoldsTheChangesUnderTheRunRecordsNames) {
  const auto result = compare_revision("abutment", {"--json", "-"});
  ASSERT_EQ(result.exit_code, 1) << result.err;
  const json doc = json::parse(result.out);
  EXPECT_TRUE(doc["differs"]);
  ASSERT_EQ(doc["problems"].size(), 4u);
  EXPECT_EQ(doc["problems"][0]["status"], "same");
  const json& a102 = doc["problems"][1];
  EXPECT_EQ(a102["number"], "A102");
  EXPECT_EQ(a102["status"], "changed");
  EXPECT_EQ(a102["before"]["weight_kg"], 1613);
  EXPECT_EQ(a102["after"]["weight_kg"], 2660);
  EXPECT_EQ(a102["units"][0]["after"]["cost"], 5187.0);
  const json& bar = a102["bars"][0];
  EXPECT_EQ(bar["unit"], "FOOTING");
  EXPECT_EQ(bar["size"], 29);
  EXPECT_EQ(bar["mark"], "F03");
  EXPECT_EQ(bar["kind"], "bar");
  EXPECT_EQ(bar["status"], "added");
  EXPECT_EQ(bar["changes"][0], json({{"field", "count"}, {"before", nullptr}, {"after", 20}}));
  ASSERT_EQ(a102["errors"].size(), 2u);
  EXPECT_EQ(a102["errors"][0]["status"], "removed");
  EXPECT_EQ(a102["errors"][0]["error"], 9);
  EXPECT_EQ(doc["problems"][3]["status"], "added");
  EXPECT_EQ(doc["problems"][3]["before"], nullptr);

  // The lump weight of a unit changed, field by field.
  write_file(file("old.deck"), "*B06X001 100T\nUA                1\nW              4  12.5\nZ\n");
  write_file(file("new.deck"), "*B06X001 100T\nUA                1\nW              5  12.5\nZ\n");
  const json lumps = json::parse(barlist({"compare", "old.deck", "new.deck", "--json", "-"}).out);
  EXPECT_EQ(lumps["problems"][0]["lump_weights"][0]["changes"],
            json::parse(R"([{"field": "count", "before": 4, "after": 5}])"));
}

std::string bars(int count, int changed_at) {
  std::string deck = "*B06X001 100BIG\nUA                1\n";
  for (int i = 0; i < count; ++i) {
    deck += " 16A" + std::string(i % 100 < 10 ? "0" : "") + std::to_string(i % 100) + "001000  " +
            (i == changed_at ? "11" : "10") + "\n";
  }
  return deck + "Z\n";
}

struct EdgeCase {
  const char* name;
  std::string before, after;
  int status;
  std::string out;  // the whole output, or a part of it when `whole` is false
  bool whole = true;
};

TEST_F(CompareTest, EdgeCases) {
  const std::string twice = "*B06X001 100T\nUA                1\n 16A01001000  10\n 16A01001000  12\nZ\n";
  const std::string unit = "*B06X002 100T\nUOLD NAME         1\n 13B01000500   4\nZ\n";
  const std::string renamed = "*B06X002 100T\nUNEW NAME         1\n 13B01000500   4\nZ\n";
  const std::vector<EdgeCase> cases = {
      {"same file twice", twice, twice, 0, ""},
      {"mark twice in a unit", twice, "*B06X001 100T\nUA                1\n 16A01001000  10\n 16A01001000  14\nZ\n", 1,
       "--- old.deck\n+++ new.deck\n"
       "problem X001: 34 kg, $ 34.00 -> 37 kg, $ 37.00: +3 kg (+8.8 %), +$ 3.00\n"
       "  unit A: unit weight 34 -> 37 kg, total weight 34 -> 37 kg, cost $ 34.00 -> $ 37.00\n"
       "    note: 16A01 is on more than one card of the unit; matched in order\n"
       "    ~ 16A01 #2  count 12 -> 14\n"},
      {"renamed unit", unit, renamed, 1,
       "  + unit NEW NAME: 1 x 2 kg = 2 kg at 1.00 = $ 2.00\n"
       "    note: the same bars as the removed unit OLD NAME: renamed?\n",
       false},
      {"problem number used twice", twice + twice, twice + unit, 1, "+ problem X002: 2 kg, $ 2.00\n", false},
      {"share against a zero weight", "*B06X001 100T\nUA                1\nZ\n", twice, 1,
       "problem X001: 0 kg, $ 0.00 -> 34 kg, $ 34.00: +34 kg (new), +$ 34.00\n", false},
      {"empty deck", "", twice, 1, "note: old.deck holds no card\n+ problem X001: 34 kg, $ 34.00\n", false},
      {"error 19 in both, a change before it", bars(2001, 5), bars(2001, 6), 1,
       "note: new.deck:2003: error 19 ended the reading there: the comparison covers what was read\n"
       "problem X001: 0 kg, $ 0.00 -> 0 kg, $ 0.00: +0 kg, +$ 0.00\n"
       "  note: deck errors in the problem: 1 before, 1 after; it is compared as read\n"
       "  cards that no unit line took up\n",
       false},
      {"error 19 in both, no change", bars(2001, -1), bars(2001, -1), 0,
       "note: old.deck:2003: error 19 ended the reading there: the comparison covers what was read\n", false},
  };
  for (const EdgeCase& c : cases) {
    write_file(file("old.deck"), c.before);
    write_file(file("new.deck"), c.after);
    const auto result = barlist({"compare", "old.deck", "new.deck"});
    EXPECT_EQ(result.exit_code, c.status) << c.name << "\n" << result.out << result.err;
    if (c.whole) {
      EXPECT_EQ(result.out, c.out) << c.name;
    } else {
      EXPECT_NE(result.out.find(c.out), std::string::npos) << c.name << "\n" << result.out;
    }
  }
}

TEST_F(CompareTest, TroubleIsStatusTwoAndSaidWhere) {
  write_file(file("good.deck"), "*B06X001 100T\nUA                1\nZ\n");
  write_file(file("bad.deck"), "*B06X001 100T\nUA                1\nW              1  12,5\nZ\n");
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"compare", "good.deck"}, "barlist: NEW is required\n"},
      {{"compare", "good.deck", "missing.deck"}, "barlist: missing.deck: cannot open the deck: No such file"},
      {{"compare", "good.deck", "bad.deck"}, "barlist: bad.deck:3:21: fatal error: input conversion error: "},
      {{"compare", "--color=sometimes", "good.deck", "good.deck"}, "barlist: --color: WHEN is auto"},
      {{"compare", "--json", "./bad.deck", "good.deck", "bad.deck"},
       "barlist: ./bad.deck: the comparison cannot be written over the deck bad.deck\n"},
  };
  for (const auto& c : cases) {
    const auto result = barlist(c.args);
    EXPECT_EQ(result.exit_code, 2) << c.args.back();
    EXPECT_EQ(result.err.rfind(c.err, 0), 0u) << result.err;
    EXPECT_EQ(result.out, "");
  }
  // Quiet: the status alone; a deck named "compare" is reached after "--".
  EXPECT_EQ(barlist({"compare", "-q", "good.deck", "bad.deck"}).out, "");
  fs::copy_file(file("good.deck"), file("compare"));
  EXPECT_EQ(barlist({"--check", "--", "compare"}).exit_code, 0);
}

TEST_F(CompareTest, ColourMarksAddedGreenRemovedRedHeadingsBold) {
  write_file(file("old.deck"), "*B06X001 100T\nUA                1\n 13B01000500   4\nZ\n");
  write_file(file("new.deck"), "*B06X001 100T\nUA                1\n 13B02000500   4\nZ\n");
  const auto out = barlist({"compare", "--color", "old.deck", "new.deck"}).out;
  EXPECT_NE(out.find("\033[1mproblem X001:"), std::string::npos) << out;
  EXPECT_NE(out.find("    \033[32m+ 13B02  count 4, length 500 mm\033[m\n"), std::string::npos) << out;
  EXPECT_NE(out.find("    \033[31m- 13B01  count 4, length 500 mm\033[m\n"), std::string::npos) << out;
}

}  // namespace
