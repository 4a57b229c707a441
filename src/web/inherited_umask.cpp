// Emscripten starts a program with a file mode creation mask of 0777, so
// that every file it creates (the exports, written whole and then given the
// mode that the mask leaves) would be unreadable. A process inherits its
// mask: under node, node's own; in the browser, the usual 022.
#include <emscripten/em_asm.h>
#include <sys/stat.h>

namespace {

const bool mask_inherited = [] {
  // clang-format off
  const int mask = EM_ASM_INT({ return typeof process !== 'undefined' && process.umask ? process.umask() : 0x12; });
  // clang-format on
  ::umask(static_cast<mode_t>(mask));
  return true;
}();

}  // namespace
