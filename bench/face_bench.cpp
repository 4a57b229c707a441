// Times the engine's face on one deck held in memory: a check (diagnostics,
// hints and the summary, as an editor asks after each key), then a whole
// run with both reports and both exports, as the page asks. Prints the
// median and the slowest of RUNS warm calls of each, in milliseconds.
//
//   cmake --build build --target face_bench
//   build/bench/gen_deck 2000 > deck-2000.deck   (bash bench/run.sh builds gen_deck)
//   build/face_bench deck-2000.deck [RUNS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/face.h"

namespace {

using barlist::engine::CheckOptions;

void time_calls(const char* what, const std::string& deck, const CheckOptions& options, int runs) {
  std::vector<double> ms;
  std::size_t found = 0;
  barlist::engine::check(deck, options);  // warm: the first call pays for the allocator and caches
  for (int i = 0; i < runs; ++i) {
    const auto started = std::chrono::steady_clock::now();
    const auto result = barlist::engine::check(deck, options);
    ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count());
    found = result.diagnostics.size() + result.hints.size();
  }
  std::sort(ms.begin(), ms.end());
  std::printf("%-28s median %8.3f ms   slowest %8.3f ms   (%zu findings and hints)\n", what, ms[ms.size() / 2],
              ms.back(), found);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: face_bench DECK [RUNS]\n");
    return 2;
  }
  std::ifstream file(argv[1], std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  const std::string deck = bytes.str();
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 101;
  time_calls("check", deck, {.epoch = 0, .check_only = true}, runs);
  time_calls("run, reports and exports", deck, {.epoch = 0, .reports = true, .json = true, .csv = true}, runs);
  return 0;
}
