// Runs arbitrary bytes through the deck reader as a whole deck, both passes,
// in one process, by the run the command line and the engine's face share:
// the deck read from memory, the reports, the diagnostics and both exports
// made into memory. A fatal condition (a field that does not convert) is an
// orderly end of the run, not a finding; anything else the sanitizers or
// libFuzzer notice is.
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

#include "driver/diagnostics.h"
#include "engine/deck_run.h"
#include "records/fatal.h"
#include "records/input_channel.h"
#include "records/output_channel.h"

namespace {

using namespace barlist;

reports::LocalTime fixed_time() { return {2026, 3, 14, 9, 26, 53}; }

// A stream that takes every byte and keeps none: the diagnostics and the
// exports are written in full, without a buffer growing by megabytes.
class Discard final : public std::streambuf {
 protected:
  int_type overflow(int_type c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

// A run with both reports and both exports, or a check: no report, every
// card that does not convert told and read past.
void run(std::string_view bytes, bool check) {
  std::string quantities_bytes, bar_table_bytes;
  records::OutputChannel quantities(engine::kQuantitiesUnit, "/fuzz/out.qty", quantities_bytes,
                                    {.discipline = records::LineDiscipline::Asa});
  records::OutputChannel bar_table(engine::kBarTableUnit, "/fuzz/out.tab", bar_table_bytes,
                                   {.discipline = records::LineDiscipline::Plain});
  engine::DeckRun deck_run(
      {.deck = "/fuzz/input.deck", .clock = fixed_time, .check = check, .json = true, .csv = !check},
      check ? nullptr : &quantities, check ? nullptr : &bar_table);
  Discard nowhere;
  std::ostream discarded(&nowhere);
  driver::Diagnostics diagnostics("/fuzz/input.deck", discarded, {.color = !check}, deck_run.summary());
  deck_run.add(diagnostics);
  records::InputChannel deck(engine::kDeckUnit, "/fuzz/input.deck", bytes);
  try {
    deck_run.run(deck);
    quantities.close();
    bar_table.close();
    if (deck_run.json() != nullptr) deck_run.json()->write(discarded);
    if (deck_run.csv() != nullptr) deck_run.csv()->write(discarded);
  } catch (const records::FatalError&) {
    // An orderly fatal end: the driver would report it and exit with status 1.
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  run(bytes, false);
  run(bytes, true);
  return 0;
}
