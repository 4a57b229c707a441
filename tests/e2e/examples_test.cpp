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
  ASSERT_NE(deck.find('*'), std::string::npos) << "an example deck opens a problem";
  e2e::expect_reports("examples/" + GetParam(), deck, e2e::read_file(base.string() + ".qty"),
                      e2e::read_file(base.string() + ".tab"));
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
