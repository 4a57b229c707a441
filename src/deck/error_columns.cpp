#include "deck/error_columns.h"

#include "geometry/chkdim.h"
#include "geometry/developed_length.h"

namespace barlist::deck {
namespace {

bool repeated_legs(int ITYPE) { return ITYPE >= 42 && ITYPE <= 44; }

}  // namespace

int bar_error_column(int error, const geometry::BarShape& shape) {
  switch (error) {
    case 5:
      return kSizeColumn;
    case 7:
    case 8:
      return kTypeColumn;
    case 9: {
      // The first end checked fails first.
      const geometry::Hooks hooks = geometry::hooks_of(shape.ITYPE);
      const bool checks_IA = hooks == geometry::Hooks::IA || hooks == geometry::Hooks::both;
      return checks_IA && !geometry::is_hook_style(shape.IBS, shape.IA) ? kHookAColumn : kHookGColumn;
    }
    case 10:
      return repeated_legs(shape.ITYPE) ? kFColumn : 1;
    case 11:
      return kAngleColumn;
    case 12:
      return kN1Column;
    case 13:
      return shape.B > 0 ? kCColumn : kBColumn;
    default:
      return 1;
  }
}

}  // namespace barlist::deck
