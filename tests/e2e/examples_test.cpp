// Runs barlist on every bundled example deck (examples/NAME.deck) and compares
// both reports byte for byte with examples/NAME.qty and examples/NAME.tab, so
// the examples that the README and the deck reference quote never go stale.
// The expected quantities files hold DD-MMM-YY and HH:MM:SS in place of the
// date and time of each problem header; the real output is masked the same way.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "barlist_run.hpp"

#ifndef BARLIST_EXAMPLES
#error "BARLIST_EXAMPLES must name the folder of example decks"
#endif

namespace fs = std::filesystem;

namespace {

class Example : public testing::TestWithParam<std::string> {};

TEST_P(Example, ReportsMatchTheBundledOnes) {
  const fs::path base = fs::path(BARLIST_EXAMPLES) / GetParam();
  const std::string deck = e2e::read_file(base.string() + ".deck");
  const std::string want_qty = e2e::read_file(base.string() + ".qty");
  const std::string want_tab = e2e::read_file(base.string() + ".tab");

  e2e::TempDir dir;
  const e2e::BarlistRun run = e2e::run_barlist(deck, dir);

  ASSERT_FALSE(run.process.timed_out) << "barlist did not finish";
  EXPECT_EQ(run.process.exit_code, 0) << "stderr: " << run.process.err;
  EXPECT_EQ(run.process.err, "");
  EXPECT_EQ(run.process.out, e2e::kPrompts);
  ASSERT_TRUE(run.qty_exists);
  ASSERT_TRUE(run.tab_exists);

  std::vector<std::string> dates, times;
  const std::string got_qty = e2e::mask_clock(run.qty, &dates, &times);
  EXPECT_FALSE(dates.empty()) << "no problem header in the quantities file";
  EXPECT_EQ(dates.size(), times.size());
  for (const auto& d : dates) EXPECT_TRUE(e2e::is_header_date(d)) << "date in header: [" << d << "]";
  for (const auto& t : times) EXPECT_TRUE(e2e::is_header_time(t)) << "time in header: [" << t << "]";

  const std::string qty_diff = e2e::describe_difference(want_qty, got_qty);
  EXPECT_TRUE(qty_diff.empty()) << "examples/" << GetParam() << ".qty: " << qty_diff;
  const std::string tab_diff = e2e::describe_difference(want_tab, run.tab);
  EXPECT_TRUE(tab_diff.empty()) << "examples/" << GetParam() << ".tab: " << tab_diff;
}

INSTANTIATE_TEST_SUITE_P(Examples, Example, testing::ValuesIn(e2e::deck_stems(BARLIST_EXAMPLES)),
                         [](const auto& info) { return e2e::test_name(info.param); });

// The README and the build's run-example target name these decks.
TEST(Examples, TheDocumentedDecksAreBundled) {
  const std::vector<std::string> names = e2e::deck_stems(BARLIST_EXAMPLES);
  for (const char* documented : {"pier-cap", "deck-slab", "abutment"}) {
    EXPECT_NE(std::find(names.begin(), names.end(), documented), names.end()) << documented << ".deck is missing";
  }
}

}  // namespace
