// The layout of each card kind that is decoded, and the plain name of each
// field it reads, in the order the layout reads them.
#pragma once

#include <array>
#include <string_view>

#include "records/layout.h"

namespace barlist::cards {

using records::Layout;

inline constexpr Layout kIdentificationCard{"(1X,A3,A4,F4.2,A68)"};
inline constexpr std::array<std::string_view, 4> kIdentificationNames{"program code", "problem number", "price",
                                                                      "title"};

inline constexpr Layout kUnitCard{"(1X,A16,F2.0,F4.2)"};
inline constexpr std::array<std::string_view, 3> kUnitNames{"unit name", "number of units", "price"};

// Columns 17 to 22 of a bar card are not read.
inline constexpr Layout kBarCard{"(1X,I2,A3,F4.0,F2.0,F4.0,6X,I2,2I1,8F6.0,2F3.0)"};
inline constexpr std::array<std::string_view, 18> kBarNames{"size",
                                                            "mark",
                                                            "length in hundreds of mm",
                                                            "length in mm",
                                                            "count",
                                                            "bar type",
                                                            "hook style at A",
                                                            "hook style at G",
                                                            "dimension A",
                                                            "dimension B",
                                                            "dimension C",
                                                            "dimension D",
                                                            "dimension E",
                                                            "dimension F",
                                                            "length T1",
                                                            "length T2",
                                                            "count N1",
                                                            "angle"};

inline constexpr Layout kRecallCard{"(1X,I2,A3,6X,F4.0)"};
inline constexpr std::array<std::string_view, 3> kRecallNames{"size", "mark", "count"};

inline constexpr Layout kVaryBarCard{"(1X,I2,A3,6X,F4.0,F6.0)"};
inline constexpr std::array<std::string_view, 4> kVaryBarNames{"size", "mark", "count", "average length"};

inline constexpr Layout kLumpWeightCard{"(12X,F4.0,F6.0)"};
inline constexpr std::array<std::string_view, 2> kLumpWeightNames{"count", "lump weight"};

inline constexpr Layout kSubtotalCard{"(1X,A16)"};
inline constexpr std::array<std::string_view, 1> kSubtotalNames{"subtotal name"};

inline constexpr Layout kLineSkipCard{"(1X,I2)"};
inline constexpr std::array<std::string_view, 1> kLineSkipNames{"lines to skip"};

}  // namespace barlist::cards
