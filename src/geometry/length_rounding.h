// Rounding a developed length to 5 mm and splitting it into the stored pair.
#pragma once

namespace barlist::geometry {

// Nearest multiple of 5 mm, an exact half going up: q = (BARL + 2.5) / 5, truncated, times 5,
// then truncated after adding 0.1. All in float; defined for any input.
float round_to_5mm(float BARL);

// Whether a developed length can be rounded and stored: finite, not negative, and below
// 999997.5 mm, from which it would round to 1,000,000 mm, too long for the bar table.
bool is_storable_length(float BARL);

struct StoredPair {
  int BARFT = 0;  // whole hundreds of mm
  int BARIN = 0;  // remaining mm, 0 to 99

  constexpr int millimetres() const { return 100 * BARFT + BARIN; }
};

// BARFT = BARL / 100 truncated, BARIN = BARL - 100 * BARFT truncated. Meant for rounded
// lengths that passed is_storable_length; any other input gives a defined but meaningless pair.
StoredPair split_length(float BARL);

}  // namespace barlist::geometry
