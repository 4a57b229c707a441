// The unit numbers of a run's files, named in every fatal report about them.
#pragma once

namespace barlist::engine {

inline constexpr int kQuantitiesUnit = 2;
inline constexpr int kBarTableUnit = 3;
inline constexpr int kDeckUnit = 4;

}  // namespace barlist::engine
