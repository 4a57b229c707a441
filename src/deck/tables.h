// The run-wide tables the two passes share.
#pragma once

#include <array>
#include <cstdint>
#include <deque>

#include "deck/cards.h"
#include "events/run_listener.h"
#include "geometry/length_rounding.h"

namespace barlist::deck {

// Bar lengths in card order under the run-wide bar counter NB (1-based).
class BarLengthTable {
 public:
  static constexpr int kCapacity = 2000;

  int NB() const { return NB_; }
  // Files the next length; false when the run has no room left (error 19).
  bool add(geometry::StoredPair length) {
    if (NB_ == kCapacity) return false;
    entries_[static_cast<std::size_t>(NB_++)] = length;
    return true;
  }
  geometry::StoredPair at(int nb) const { return entries_[static_cast<std::size_t>(nb - 1)]; }

 private:
  std::array<geometry::StoredPair, kCapacity> entries_{};
  int NB_ = 0;
};

// The store bars of the current problem, found again by size and mark.
class StoreTable {
 public:
  static constexpr int kCapacity = 998;

  struct Entry {
    int NB = 0;
    BarLabel label;
    events::Line line = 0;  // the store bar card
  };

  void clear() { count_ = 0; }
  // False when the problem has no room left (error 20).
  bool add(int NB, const BarLabel& label, events::Line line) {
    if (count_ == kCapacity) return false;
    entries_[static_cast<std::size_t>(count_++)] = {NB, label, line};
    return true;
  }
  // The first store bar with this size and mark.
  const Entry* find(const BarLabel& label) const {
    for (int i = 0; i < count_; ++i) {
      const Entry& e = entries_[static_cast<std::size_t>(i)];
      if (e.label.IBS == label.IBS && e.label.IBM == label.IBM) return &e;
    }
    return nullptr;
  }

 private:
  std::array<Entry, kCapacity> entries_{};
  int count_ = 0;
};

// What pass 1 learned of each problem; entry 0 holds errors met before the
// first valid identification card. Pass 2 finds each problem by the position
// of its identification card and starts its bar counter where pass 1 did, so
// it needs no record of where a problem's bars end. A deck may hold
// hundreds of thousands of problems, so a record takes 8 bytes and the table
// grows in blocks, never copied as a whole.
struct ProblemRecord {
  ProblemRecord() = default;
  ProblemRecord(int NB, events::Line line)
      : start_NB(static_cast<std::uint64_t>(NB)), opening_card(static_cast<std::uint64_t>(line)) {}

  std::uint64_t failed : 1 = 0;
  std::uint64_t start_NB : 15 = 0;      // NB when the problem opened, at most 2000
  std::uint64_t opening_card : 48 = 0;  // line of its identification card
};
static_assert(sizeof(ProblemRecord) == 8);

struct RunTables {
  BarLengthTable bar_lengths;
  std::deque<ProblemRecord> problems{ProblemRecord{}};
};

}  // namespace barlist::deck
