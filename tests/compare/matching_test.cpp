// Matching by key in order: which entries pair up, where the ones only the
// old list has are placed, and how repeated keys are counted.
#include "compare/matching.h"
#include "compare/revisions.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using barlist::compare::kNone;
using barlist::compare::Match;

std::string described(const std::vector<std::string>& before, const std::vector<std::string>& after) {
  const auto matches = barlist::compare::match_in_order(
      before.size(), after.size(), [&](std::size_t i) { return before[i]; }, [&](std::size_t j) { return after[j]; });
  // "b0a0" a pair, "b1-" only before, "-a2" only after; "#2" the second of a key, "*" a repeated key.
  std::string text;
  for (const Match& m : matches) {
    text += m.before == kNone ? "-" : "b" + std::to_string(m.before);
    text += m.after == kNone ? "-" : "a" + std::to_string(m.after);
    if (m.occurrence > 1) text += "#" + std::to_string(m.occurrence);
    if (m.repeated) text += "*";
    text += ' ';
  }
  return text;
}

TEST(MatchInOrder, PairsKeysInOrderAndPlacesRemovedEntriesWhereTheyStood) {
  const struct {
    std::vector<std::string> before, after;
    std::string want;
  } cases[] = {
      {{"A", "B", "C"}, {"A", "C"}, "b0a0 b1- b2a1 "},
      {{"A", "C"}, {"A", "B", "C"}, "b0a0 -a1 b1a2 "},
      {{"A", "B"}, {"B", "A"}, "b1a0 b0a1 "},
      {{"X", "X"}, {"X", "X", "X"}, "b0a0* b1a1#2* -a2#3* "},
      {{"X", "Y", "X"}, {"Y"}, "b0-* b1a0 b2-#2* "},
      {{}, {"A"}, "-a0 "},
      {{"A"}, {}, "b0- "},
  };
  for (const auto& c : cases) EXPECT_EQ(described(c.before, c.after), c.want);
}

}  // namespace

// Revisions compared from their bytes: a deck against itself does not differ,
// against no card at all it does, and both are named in the document.
namespace {

std::string file_bytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(CompareRevisions, SameBytesDoNotDifferAndAnEmptyRevisionDoes) {
  const std::string deck = file_bytes(std::string(BARLIST_DECKS_DIR) + "/bar_types.deck");
  ASSERT_FALSE(deck.empty());
  const auto same = barlist::compare::compare_revisions(deck, deck, {"old.deck", "new.deck"}, "1");
  EXPECT_FALSE(same.differs);
  const auto emptied = barlist::compare::compare_revisions(deck, "", {"old.deck", "new.deck"}, "1");
  EXPECT_TRUE(emptied.differs);
  EXPECT_NE(emptied.json.find("new.deck"), std::string::npos);
}

// The text's lines as the page lists them: the same words as the command
// line prints, each line with the card it leads to in the new revision (a
// removed card's problem there) and marked when that card is added or changed.
TEST(CompareRevisions, TextLinesLeadToTheirCardsInTheNewRevision) {
  const struct {
    std::string pair, starts;
    std::uint64_t go_to;
    bool marked;
  } cases[] = {
      {"pier-cap", "    ~ 29T01", 7, true},       {"pier-cap", "    + 13P03", 19, true},
      {"pier-cap", "  unit PIER CAP:", 5, false}, {"abutment", "  - error 9 ", 19, false},
      {"abutment", "+ problem A104", 39, true},
  };
  for (const auto& c : cases) {
    const std::string revised = std::string(BARLIST_DECKS_DIR) + "/compare/" + c.pair + "-revised";
    const auto compared = barlist::compare::compare_revisions_as_text(
        file_bytes(std::string(BARLIST_EXAMPLES_DIR) + "/" + c.pair + ".deck"), file_bytes(revised + ".deck"),
        {c.pair + ".deck", c.pair + "-revised.deck"});
    std::string text;
    const barlist::compare::TextLine* found = nullptr;
    for (const auto& line : compared.lines) {
      const std::string shown = std::string(static_cast<std::size_t>(line.indent), ' ') + line.text + "\n";
      if (shown.starts_with(c.starts)) found = &line;
      text += shown;
    }
    EXPECT_EQ(text, file_bytes(revised + ".out")) << c.pair;
    ASSERT_NE(found, nullptr) << c.starts;
    EXPECT_EQ(found->go_to, c.go_to) << c.starts;
    EXPECT_EQ(found->marked, c.marked) << c.starts;
  }
}
