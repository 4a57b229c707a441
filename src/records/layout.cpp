#include "records/layout.h"

#include <stdexcept>

namespace barlist::records {

// The same reading the compiler runs for a Layout, run here on
// any text; nothing of it is kept.
std::string layout_error(std::string_view notation) {
  try {
    LayoutParser(notation).parse();
    return {};
  } catch (const std::invalid_argument& error) {
    return error.what();
  }
}

}  // namespace barlist::records
