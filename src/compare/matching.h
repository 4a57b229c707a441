// Matching two lists by key, in order where a key repeats: the first card of
// a key before with the first after, the second with the second, and so on.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <unordered_map>
#include <vector>

namespace barlist::compare {

inline constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

// One entry of either list or both, in the order a reader follows: the new
// list's order, each entry that only the old list has placed before the
// first entry that follows it there.
struct Match {
  std::size_t before = kNone;
  std::size_t after = kNone;
  std::size_t occurrence = 1;  // among the entries of its key in its list
  bool repeated = false;       // the key is on more than one entry of either list
};

// `key_before(i)` and `key_after(j)` give each entry's key.
template <typename KeyBefore, typename KeyAfter>
std::vector<Match> match_in_order(std::size_t before_count, std::size_t after_count, KeyBefore key_before,
                                  KeyAfter key_after) {
  struct Slots {
    std::vector<std::size_t> before;  // indices with this key, in order
    std::size_t after_count = 0;
    std::size_t after_seen = 0;
  };
  std::unordered_map<std::string, Slots> keys;
  keys.reserve(before_count + after_count);
  std::vector<Slots*> before_slots(before_count);
  std::vector<Slots*> after_slots(after_count);
  for (std::size_t i = 0; i < before_count; ++i) {
    Slots& slots = keys[key_before(i)];
    slots.before.push_back(i);
    before_slots[i] = &slots;
  }
  for (std::size_t j = 0; j < after_count; ++j) {
    Slots& slots = keys[key_after(j)];
    ++slots.after_count;
    after_slots[j] = &slots;
  }

  std::vector<Match> matches;
  matches.reserve(before_count + after_count);
  std::vector<std::size_t> occurrence_before(before_count, 0);
  std::vector<bool> taken(before_count, false);
  for (std::size_t j = 0; j < after_count; ++j) {
    Slots& slots = *after_slots[j];
    const std::size_t occurrence = ++slots.after_seen;
    if (occurrence <= slots.before.size()) {
      const std::size_t i = slots.before[occurrence - 1];
      taken[i] = true;
    }
  }
  for (auto& [key, slots] : keys) {
    for (std::size_t n = 0; n < slots.before.size(); ++n) occurrence_before[slots.before[n]] = n + 1;
  }

  std::size_t next_before = 0;  // old entries before this one are placed
  const auto place_removed_up_to = [&](std::size_t end) {
    for (; next_before < end; ++next_before) {
      if (taken[next_before]) continue;
      const Slots& slots = *before_slots[next_before];
      matches.push_back(
          {next_before, kNone, occurrence_before[next_before], slots.before.size() > 1 || slots.after_count > 1});
    }
  };
  for (auto& [key, slots] : keys) slots.after_seen = 0;
  for (std::size_t j = 0; j < after_count; ++j) {
    Slots& slots = *after_slots[j];
    const std::size_t occurrence = ++slots.after_seen;
    const bool repeated = slots.before.size() > 1 || slots.after_count > 1;
    if (occurrence <= slots.before.size()) {
      const std::size_t i = slots.before[occurrence - 1];
      place_removed_up_to(i);
      if (next_before == i) ++next_before;
      matches.push_back({i, j, occurrence, repeated});
    } else {
      matches.push_back({kNone, j, occurrence, repeated});
    }
  }
  place_removed_up_to(before_count);
  return matches;
}

}  // namespace barlist::compare
