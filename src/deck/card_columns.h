// The first column of each card field that a diagnostic or a warning points at.
#pragma once

namespace barlist::deck {

inline constexpr int kProgramCodeColumn = 2;  // identification card
inline constexpr int kUnitCountColumn = 18;   // unit card
inline constexpr int kSizeColumn = 2;         // bar-level cards
inline constexpr int kLengthColumn = 7;       // hundreds of mm in 7-10, mm in 11-12
inline constexpr int kCountColumn = 13;
inline constexpr int kLumpWeightColumn = 17;  // lump weight card
inline constexpr int kVaryLengthColumn = 17;  // vary bar card
inline constexpr int kTypeColumn = 23;
inline constexpr int kHookAColumn = 25;
inline constexpr int kHookGColumn = 26;
inline constexpr int kFirstDimensionColumn = 27;  // A to F, six columns each
inline constexpr int kBColumn = 33;
inline constexpr int kCColumn = 39;
inline constexpr int kFColumn = 57;
inline constexpr int kN1Column = 75;
inline constexpr int kAngleColumn = 78;

}  // namespace barlist::deck
