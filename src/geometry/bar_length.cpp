#include "geometry/bar_length.h"

#include "geometry/chkdim.h"
#include "geometry/developed_length.h"
#include "geometry/length_rounding.h"

namespace barlist::geometry {
namespace {

// A card's length columns hold 0..9999 hundreds and 0..99 mm; anything else cannot be
// stored as written.
bool fits_length_columns(float LFT, float LIN) { return LFT >= 0.0f && LFT <= 9999.0f && LIN >= 0.0f && LIN <= 99.0f; }

BarLength written_length(float LFT, float LIN) {
  if (!fits_length_columns(LFT, LIN)) return {ShapeFailure::dimension, 0.0f, 0, 0, ShapeField::none};
  return {ShapeFailure::none, 100.0f * LFT + LIN, static_cast<int>(LFT), static_cast<int>(LIN)};
}

}  // namespace

BarLength bar_length(const BarShape& bar) {
  const CHKDIM size{.IBS = bar.IBS};
  if (size.CHKBS() != 0) return {ShapeFailure::size, 0.0f, 0, 0, ShapeField::size};

  if (bar.LFT + bar.LIN > 0.0f) return written_length(bar.LFT, bar.LIN);

  const DevelopedLength developed = developed_length(bar);
  if (developed.failure != ShapeFailure::none)
    return {developed.failure, 0.0f, 0, 0, developed.field, developed.closing_F};
  if (!is_storable_length(developed.BARL)) return {ShapeFailure::dimension, 0.0f, 0, 0};

  const float BARL = round_to_5mm(developed.BARL);
  const StoredPair pair = split_length(BARL);
  return {ShapeFailure::none, BARL, pair.BARFT, pair.BARIN};
}

}  // namespace barlist::geometry
