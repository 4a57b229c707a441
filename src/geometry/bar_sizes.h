// Bar sizes and the two tables that hang off a size: mass per millimetre and hook allowance.
#pragma once

namespace barlist::geometry {

// Hook styles 4 and 5 are bent only on bars up to this size.
inline constexpr int kLargestSizeWithStyles4And5 = 25;

// True exactly for the eleven metric sizes 10, 13, 16, 19, 22, 25, 29, 32, 36, 43, 57.
bool is_bar_size(int IBS);

// Mass of one millimetre of bar in kg; 0 for anything that is not a bar size.
float BWTFT(int IBS);

// Length in mm that a hook of the given style (1 to 6) adds at one end of a bar of size IBS;
// 0 for styles 2 and 6, for styles 4 and 5 above their largest size, and for anything outside
// the table.
float HKTAB(int IBS, int style);

}  // namespace barlist::geometry
