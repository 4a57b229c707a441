// The three files of a run: the deck and the two report files.
#pragma once

#include <optional>

#include "records/input_channel.h"
#include "records/output_channel.h"

namespace barlist::driver {

struct RunFiles {
  std::optional<records::InputChannel> deck;
  std::optional<records::OutputChannel> quantities;
  std::optional<records::OutputChannel> bar_table;

  // The report files first, so that one that cannot be completed is
  // reported; the deck last. A failure is fatal.
  void close();
  // After a fatal condition: keep all that was written, whatever else fails.
  void close_quietly() noexcept;
};

}  // namespace barlist::driver
