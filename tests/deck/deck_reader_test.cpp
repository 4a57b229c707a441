// The deck reader in process, on small decks, with a listener that writes
// down what it is told: the order and the content of the events.
#include "deck/deck_reader.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "events/bar_label.h"
#include "events/listeners.h"
#include "records/fatal.h"
#include "records/text.h"

namespace barlist::deck {
namespace {

using cards::CardKind;

class Recorder final : public events::RunListener {
 public:
  void problem_opened(const events::ProblemOpened& e) override { add(e.line, "problem " + records::trimmed(e.number)); }
  void item_weighed(const events::ItemWeighed& e) override {
    add(e.line, "weighed " + events::bar_label(e.size, e.mark) + " x" + number(e.count) + " " + number(e.length_mm) +
                    " mm" + " in unit " + std::to_string(e.unit) + entry(e.table_entry));
  }
  void unit_closed(const events::UnitClosed& e) override {
    add(e.line, "unit " + std::to_string(e.unit) + " " + records::trimmed(e.name) + " " +
                    number(e.figures.unit_weight_kg) + " kg");
  }
  void problem_ended(const events::ProblemEnded& e) override { add(e.line, "end " + number(e.weight_kg) + " kg"); }
  void deck_error(const events::DeckErrorFound& e) override {
    add(e.line, "error " + std::to_string(events::number(e.error)) + " at " + std::to_string(e.column));
  }
  void warning(const events::Warning& e) override { add(e.line, "warning at " + std::to_string(e.column)); }
  void pass1_ended(bool complete) override { events.push_back(complete ? "pass 1 complete" : "pass 1 stopped"); }
  void problem_listed(std::size_t index) override { events.push_back("listed " + std::to_string(index)); }
  void card_listed(const events::CardListed& e) override {
    add(e.line,
        "card " + std::to_string(static_cast<int>(e.kind)) + " " + std::to_string(e.length_mm) + entry(e.table_entry));
  }
  void run_ended() override { events.push_back("run ended"); }

  std::vector<std::string> events;

 private:
  static std::string number(float value) { return std::to_string(static_cast<long long>(value)); }
  static std::string entry(int table_entry) { return table_entry > 0 ? " as " + std::to_string(table_entry) : ""; }
  void add(events::Line line, const std::string& what) { events.push_back(std::to_string(line) + ": " + what); }
};

// A card from (first column, text) pairs.
std::string card(std::initializer_list<std::pair<std::size_t, std::string>> fields) {
  std::string text(80, ' ');
  for (const auto& [column, value] : fields) text.replace(column - 1, value.size(), value);
  return text;
}

template <typename Listener = Recorder>
std::vector<std::string> read_text(const std::string& text, bool warnings) {
  char path[] = "/tmp/deck_reader_test_XXXXXX";
  const int fd = mkstemp(path);
  EXPECT_EQ(write(fd, text.data(), text.size()), static_cast<ssize_t>(text.size()));
  lseek(fd, 0, SEEK_SET);
  records::InputChannel deck(4, path, records::FileDescriptor::own(fd));
  unlink(path);
  Listener recorder;
  try {
    run_deck(deck, recorder, {.warnings = warnings});
  } catch (const records::FatalError& error) {
    recorder.events.push_back(std::to_string(error.line()) + ": fatal " + std::string(error.condition()));
  }
  return recorder.events;
}

std::vector<std::string> read(const std::vector<std::string>& cards) {
  std::string text;
  for (const std::string& c : cards) text += c + "\n";
  return read_text(text, true);
}

const std::string kId = card({{1, "*B06P001 100"}});
const std::string kUnit = card({{1, "UCAP"}, {18, " 2"}});

TEST(DeckReader, TellsEachCardOfAGoodDeckInOrderAndListsItInPassTwo) {
  const auto events = read({kId, kUnit, card({{1, "S16A01  1200   2"}}), card({{1, "C NOTE"}}),
                            card({{1, "R16A01"}, {13, "   3"}}), card({{1, "K 2"}}), "Z"});
  const std::vector<std::string> expected = {"1: problem P001",
                                             "3: weighed 16A01 x2 1200 mm in unit 1 as 1",
                                             "5: weighed 16A01 x3 1200 mm in unit 1 as 2",
                                             "2: unit 1 CAP 9 kg",  // 5 bars of 1.2 m of size 16 (1.552 kg/m): 9.3 kg
                                             "7: end 18 kg",
                                             "pass 1 complete",
                                             "listed 1",
                                             "2: card 1 0",
                                             "3: card 3 1200 as 1",
                                             "4: card 8 0",
                                             "5: card 4 1200 as 2",
                                             "6: card 9 0",
                                             "run ended"};
  EXPECT_EQ(events, expected);
}

// Each weighed card names the unit open when it was read (none after an end
// card) and its place among the problem's bar marks, as pass 2 lists them.
TEST(DeckReader, ItemsNameTheirUnitAndTheirPlaceInTheBarTable) {
  const std::string bar = card({{1, " 16A01"}, {7, "001200"}, {13, "   1"}});
  const auto events =
      read({kId, kUnit, bar, card({{1, "V16V01"}, {13, "   2"}, {17, "  1500"}}),
            card({{1, "W"}, {13, "   1"}, {17, "    10"}}), "Z", bar, kUnit, bar, "Z", kId, kUnit, bar, "Z"});
  const std::vector<std::string> expected = {"1: problem P001",
                                             "3: weighed 16A01 x1 1200 mm in unit 1 as 1",
                                             "4: weighed 16V01 x2 1500 mm in unit 1 as 2",
                                             "5: weighed 0 x1 0 mm in unit 1",
                                             "2: unit 1 CAP 17 kg",
                                             "6: end 34 kg",
                                             "7: warning at 1",
                                             "7: weighed 16A01 x1 1200 mm in unit 0 as 3",
                                             "9: weighed 16A01 x1 1200 mm in unit 2 as 4",
                                             "8: unit 2 CAP 2 kg",
                                             "10: end 38 kg",
                                             "11: problem P001",
                                             "13: weighed 16A01 x1 1200 mm in unit 3 as 1",
                                             "12: unit 3 CAP 2 kg",
                                             "14: end 4 kg",
                                             "pass 1 complete",
                                             "listed 1",
                                             "2: card 1 0",
                                             "3: card 2 1200 as 1",
                                             "4: card 5 0 as 2",
                                             "listed 2",
                                             "12: card 1 0",
                                             "13: card 2 1200 as 1",
                                             "run ended"};
  EXPECT_EQ(events, expected);
}

// A failed length check points at the field it found at fault, and the
// problem gets no bar table.
TEST(DeckReader, AFailedBarPointsAtItsFieldAndItsProblemIsNotListed) {
  const auto events = read({
      kId, kUnit, card({{1, " 16A01"}, {13, "   1"}, {23, "10"}, {25, "12"}, {27, "  1000"}}),      // hook at G
      card({{1, " 16A02"}, {13, "   1"}, {23, "53"}, {25, "11"}, {27, "   100"}, {33, "   100"}}),  // C not positive
      card({{1, " 16A03"},
            {13, "   1"},
            {23, "42"},
            {25, "00"},
            {57, "     9"},
            {75, "  3"},  // legs do not close
            {78, " 30"}}),
      card({{1, " 16A04"}, {7, "001200"}, {13, "   1"}, {23, "42"}}),  // a written length beside a type
      card({{1, " 16A05"}, {13, "   1"}, {23, "99"}}), card({{1, " 11A06"}, {13, "   1"}}),
      card({{1, " 16A07"}, {13, "   1"}, {23, "99"}, {27, "12"}}),  // an error and a warning, in column order
  });
  const std::vector<std::string> expected = {
      "1: problem P001",   "3: error 9 at 26", "4: error 13 at 39",
      "5: error 10 at 57", "6: warning at 23", "6: weighed 16A04 x1 1200 mm in unit 1 as 1",
      "7: error 8 at 23",  "8: error 5 at 2",  "9: error 8 at 23",
      "9: warning at 27",  "9: warning at 1",  "pass 1 complete",
      "run ended"};
  EXPECT_EQ(events, expected);
}

// Warnings only tell: on every test deck, the run tells the reports the same
// with warnings looked for as without.
TEST(DeckReader, WarningsChangeNothingElseOnAnyTestDeck) {
  int decks = 0;
  for (const auto& entry : std::filesystem::directory_iterator(BARLIST_DECKS)) {
    if (entry.path().extension() != ".deck") continue;
    SCOPED_TRACE(entry.path().filename().string());
    std::ifstream file(entry.path(), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<std::string> told = read_text(text, true);
    std::erase_if(told, [](const std::string& event) { return event.find(": warning at ") != std::string::npos; });
    EXPECT_EQ(told, read_text(text, false));
    ++decks;
  }
  EXPECT_GT(decks, 30);
}

// The notes of errors on cards with a small kind letter name the capital, and
// a recall of a bar "stored" on a small-s card says so.
TEST(DeckReader, SmallKindLettersAreNamedInTheNotes) {
  struct Notes final : events::RunListener {
    void deck_error(const events::DeckErrorFound& e) override {
      events.push_back(std::to_string(e.line) + ": " + e.notes.front().text +
                       (e.fixes.empty() ? "" : " [" + e.fixes.front().text + "]"));
    }
    std::vector<std::string> events;
  };
  const auto told = read_text<Notes>(
      kId + "\nuCAP              2\n" + kId + "\n" + kUnit + "\ns16A01001000   2\nR16A01      1\n", false);
  const std::vector<std::string> expected = {
      "2: card kinds are capital letters: did you mean U? [U]",
      "5: card kinds are capital letters: did you mean S? [S]",
      "6: the bar was stored on line 5 with a small s, which is no card kind: punch S there"};
  EXPECT_EQ(told, expected);
}

// The fan-out skips only what a listener's class plainly ignores: a final
// class that takes the weights alone hears nothing else, while a listener
// added as a class that is not final hears all that its object overrides.
class Weights final : public events::RunListener {
 public:
  void item_weighed(const events::ItemWeighed&) override { ++heard; }
  int heard = 0;
};
class Counting : public events::RunListener {
 public:
  int heard = 0;
};
class CountingCards final : public Counting {
 public:
  void card_listed(const events::CardListed&) override { ++heard; }
};

TEST(DeckReader, EachEventReachesTheListenersThatTakeIt) {
  constexpr events::EventSet kWeighed = [] {
    events::EventSet set{};
    set[events::kItemWeighed] = true;
    return set;
  }();
  static_assert(events::events_taken_by<Weights>() == kWeighed);
  static_assert(std::ranges::all_of(events::events_taken_by<Counting>(), std::identity()));
  Weights weights;
  CountingCards cards;
  events::Listeners listeners;
  listeners.add(weights);
  listeners.add(static_cast<Counting&>(cards));
  listeners.item_weighed({});
  listeners.card_listed({});
  listeners.card_listed({});
  EXPECT_EQ(weights.heard, 1);
  EXPECT_EQ(cards.heard, 2);
}

}  // namespace
}  // namespace barlist::deck
