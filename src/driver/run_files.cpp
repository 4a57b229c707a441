#include "driver/run_files.h"

namespace barlist::driver {

void RunFiles::close() {
  if (quantities) quantities->close();
  if (bar_table) bar_table->close();
  if (deck) deck->close();
}

void RunFiles::close_quietly() noexcept {
  try {
    if (quantities) quantities->close();
  } catch (...) {
  }
  try {
    if (bar_table) bar_table->close();
  } catch (...) {
  }
  if (deck) deck->close();
}

}  // namespace barlist::driver
