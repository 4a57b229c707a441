// Writes a deck of about N cards for the benchmark: several problems, each
// with units, bars (the run's 2000 bar-length entries spread over the
// problems, store and recall among them), vary bars, lump weights,
// comments, line skips and subtotals; one problem in a hundred fails.
// With --record-heavy the units hold only comments, lump weights and vary
// bars, so nearly every card writes a line to one report or both.
//
//   gen_deck [--record-heavy] CARDS > deck
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr long kBarLimit = 2000;  // bar-length entries in one run
constexpr long kCardsPerProblem = 50;
constexpr long kCardsPerRecordHeavyProblem = 400;

long cards = 0;

void card(const std::string& text) {
  std::fputs(text.c_str(), stdout);
  std::fputc('\n', stdout);
  ++cards;
}

std::string fmt(const char* format, long a = 0, long b = 0) {
  char buffer[128];
  std::snprintf(buffer, sizeof buffer, format, a, b);
  return buffer;
}

// A card built column by column: `put` writes a field right-justified in
// columns first to first + width - 1.
struct Card {
  std::string text = std::string(80, ' ');
  Card& put(std::size_t first, std::size_t width, const std::string& value) {
    text.replace(first - 1 + width - value.size(), value.size(), value);
    return *this;
  }
  Card& put(std::size_t first, std::size_t width, long value) { return put(first, width, std::to_string(value)); }
  void emit() {
    text.erase(text.find_last_not_of(' ') + 1);
    card(text);
  }
};

// One bar-level card that takes a bar-length entry; k picks the shape so
// several bar types are used.
void bar(long k, long problem) {
  const std::string mark = fmt("%c%02ld", "ABCSS"[k % 5], k % 100);
  Card c;
  switch (k % 5) {
    case 0:  // length punched on the card
      c.put(1, 1, " ").put(2, 2, 16).put(4, 3, mark).put(7, 6, 1000 + (k * 35) % 9000).put(13, 4, 4);
      break;
    case 1:  // type 2, three legs
      c.put(1, 1, "0").put(2, 2, 19).put(4, 3, mark).put(13, 4, 6).put(23, 2, 2);
      c.put(27, 6, 600 + k % 900).put(33, 6, 300).put(39, 6, 1200);
      break;
    case 2:  // type 10, hooks at both ends
      c.put(1, 1, " ").put(2, 2, 25).put(4, 3, mark).put(13, 4, 2).put(23, 2, 10).put(25, 1, 1).put(26, 1, 3);
      c.put(27, 6, 2000 + k % 3000);
      break;
    case 3:  // store bar, recalled by the next card
      c.put(1, 1, "S").put(2, 2, 13).put(4, 3, fmt("S%02ld", problem % 100)).put(7, 6, 750 + k % 400).put(13, 4, 10);
      break;
    default:
      c.put(1, 1, "R").put(2, 2, 13).put(4, 3, fmt("S%02ld", problem % 100)).put(13, 4, 5);
      break;
  }
  c.emit();
}

// A record-heavy problem: units of full-width comments, lump weights and
// vary bars, a line skip now and then, a subtotal every third unit.
void record_heavy_problem(long p, long end_cards) {
  card(fmt("*B06%04ld0185RECORD-HEAVY STRUCTURE %ld", p % 10000, p));
  card("C  GENERATED FOR THE BENCHMARK: EVERY CARD BELOW WRITES A LINE TO A REPORT");
  long unit = 0;
  while (cards < end_cards - 1) {
    Card()
        .put(1, 6, "UPANEL")
        .put(7, 4, fmt("%04ld", unit % 10000))
        .put(18, 2, 4)
        .put(20, 4, 215)
        .put(24, 40, fmt("DESCRIPTION OF PANEL %ld, SEE SHEET 12", unit % 1000))
        .emit();
    ++unit;
    for (int i = 0; i < 12 && cards < end_cards - 1; ++i) {
      switch (i % 6) {
        case 0:
        case 3:
          card(
              fmt("C  %04ld COMMENT CARD FOR THE LISTING, PUNCHED ACROSS THE WHOLE CARD ..... %04ld", i, unit % 10000));
          break;
        case 1:
        case 4:
          Card().put(1, 1, "W").put(13, 4, 1 + i).put(17, 6, 40 + (cards * 7) % 900).emit();
          break;
        case 2:
          Card()
              .put(1, 1, "V")
              .put(2, 2, 16)
              .put(4, 3, fmt("V%02ld", i))
              .put(7, 6, 2150)
              .put(13, 4, 12)
              .put(17, 6, 1500 + cards % 700)
              .emit();
          break;
        default:
          if (unit % 4 == 0) {
            card("K 1");
          } else {
            Card()
                .put(1, 1, "V")
                .put(2, 2, 25)
                .put(4, 3, fmt("W%02ld", i))
                .put(7, 6, 9800)
                .put(13, 4, 30)
                .put(17, 6, 4000 + cards % 5000)
                .emit();
          }
          break;
      }
    }
    if (unit % 3 == 0 && cards < end_cards - 1) card(fmt("TSUBTOTAL %ld", unit / 3));
  }
  card("Z");
}

}  // namespace

int main(int argc, char** argv) {
  const bool record_heavy = argc == 3 && std::string(argv[1]) == "--record-heavy";
  if (argc != 2 && !record_heavy) {
    std::fprintf(stderr, "usage: gen_deck [--record-heavy] CARDS > deck\n");
    return 2;
  }
  const long wanted = std::atol(argv[argc - 1]);
  if (record_heavy) {
    const long problems = wanted / kCardsPerRecordHeavyProblem > 0 ? wanted / kCardsPerRecordHeavyProblem : 1;
    for (long p = 0; p < problems; ++p) record_heavy_problem(p, wanted * (p + 1) / problems);
    std::fprintf(stderr, "%ld cards, %ld record-heavy problems\n", cards, problems);
    return 0;
  }
  const long problems = wanted / kCardsPerProblem > 0 ? wanted / kCardsPerProblem : 1;
  long bars_filed = 0;
  for (long p = 0; p < problems; ++p) {
    const long end_cards = wanted * (p + 1) / problems;
    // This problem's share of the bar-length table, in whole store/recall pairs.
    long bars = kBarLimit * (p + 1) / problems - bars_filed;
    card(fmt("*B06%04ld0085BENCHMARK STRUCTURE %ld", p % 10000, p));
    card("C  GENERATED FOR THE BENCHMARK");
    card("K 1");
    long unit = 0;
    long k = 0;
    while (cards < end_cards - 1) {
      Card()
          .put(1, 5, "UUNIT")
          .put(7, 4, fmt("%04ld", unit % 10000))
          .put(18, 2, 2)
          .put(20, 4, 110)
          .put(24, 22, fmt("DESCRIPTION OF UNIT %ld", unit % 100))
          .emit();
      ++unit;
      for (int i = 0; i < 8 && cards < end_cards - 1; ++i) {
        if (bars > 0 && !(k % 5 == 3 && bars < 2)) {
          bar(k, p);
          ++bars_filed;
          --bars;
          ++k;
        } else if (i % 4 == 0) {
          Card()
              .put(1, 1, "V")
              .put(2, 2, 16)
              .put(4, 3, fmt("V%02ld", i))
              .put(7, 6, 2150)
              .put(13, 4, 2)
              .put(17, 6, 1500 + cards % 700)
              .emit();
        } else if (i % 4 == 1) {
          // A lump weight of 0 in one problem in a hundred: error 15.
          Card().put(1, 1, "W").put(13, 4, 3).put(17, 6, (p % 100 == 99 && unit == 1) ? 0 : 125 + p % 50).emit();
        } else if (i % 4 == 2) {
          card("C  COMMENT CARD FOR THE LISTING");
        } else {
          Card()
              .put(1, 1, "V")
              .put(2, 2, 19)
              .put(4, 3, fmt("V%02ld", i))
              .put(7, 6, 3000)
              .put(13, 4, 4)
              .put(17, 6, 2000 + cards % 900)
              .emit();
        }
      }
      if (unit % 3 == 0 && cards < end_cards - 1) card(fmt("TSUBTOTAL %ld", unit / 3));
    }
    card("Z");
  }
  std::fprintf(stderr, "%ld cards, %ld problems, %ld bar-length entries\n", cards, problems, bars_filed);
  return 0;
}
