// The fan-out of the deck reader's events to the listeners of a run. Each
// event goes only to the listeners whose class takes it (overrides its
// call): a listener of a final class is asked once, when it is added, and
// an event it ignores costs nothing per card; any other hears every event.
#pragma once

#include <array>
#include <cstddef>
#include <type_traits>
#include <vector>

#include "events/run_listener.h"

namespace barlist::events {

enum Event : std::size_t {
  kProblemOpened,
  kVaryBarRead,
  kItemWeighed,
  kUnitClosed,
  kSubtotalWritten,
  kProblemEnded,
  kDeckError,
  kWarning,
  kConversionFailed,
  kPass1Ended,
  kProblemListed,
  kCardListed,
  kRunEnded,
  kEventCount
};

using EventSet = std::array<bool, kEventCount>;  // by Event

// The events that a listener of class T takes: those T (or a class between
// it and RunListener) overrides. Known only of a final class: the object may
// be of a class derived from any other.
template <typename T>
constexpr EventSet events_taken_by() {
  if constexpr (!std::is_final_v<T>) {
    EventSet all;
    all.fill(true);
    return all;
  } else {
    // A call T inherits unchanged is named by RunListener's own member.
    const auto takes = [](auto own, auto base) { return !std::is_same_v<decltype(own), decltype(base)>; };
    EventSet set{};
    set[kProblemOpened] = takes(&T::problem_opened, &RunListener::problem_opened);
    set[kVaryBarRead] = takes(&T::vary_bar_read, &RunListener::vary_bar_read);
    set[kItemWeighed] = takes(&T::item_weighed, &RunListener::item_weighed);
    set[kUnitClosed] = takes(&T::unit_closed, &RunListener::unit_closed);
    set[kSubtotalWritten] = takes(&T::subtotal_written, &RunListener::subtotal_written);
    set[kProblemEnded] = takes(&T::problem_ended, &RunListener::problem_ended);
    set[kDeckError] = takes(&T::deck_error, &RunListener::deck_error);
    set[kWarning] = takes(&T::warning, &RunListener::warning);
    set[kConversionFailed] = takes(&T::conversion_failed, &RunListener::conversion_failed);
    set[kPass1Ended] = takes(&T::pass1_ended, &RunListener::pass1_ended);
    set[kProblemListed] = takes(&T::problem_listed, &RunListener::problem_listed);
    set[kCardListed] = takes(&T::card_listed, &RunListener::card_listed);
    set[kRunEnded] = takes(&T::run_ended, &RunListener::run_ended);
    return set;
  }
}

// A listener and the events it takes.
struct Taker {
  RunListener* listener;
  EventSet events;
};

template <typename T>
Taker taker(T& listener) {
  return {&listener, events_taken_by<T>()};
}

// Hands each event to every listener that takes it, in the order they were added.
class Listeners final : public RunListener {
 public:
  template <typename T>
  void add(T& listener) {
    add(taker(listener));
  }
  void add(const Taker& taker) {
    for (std::size_t event = 0; event < kEventCount; ++event) {
      if (taker.events[event]) taking_[event].push_back(taker.listener);
    }
  }

  void problem_opened(const ProblemOpened& e) override {
    for (auto* l : taking_[kProblemOpened]) l->problem_opened(e);
  }
  void vary_bar_read(const VaryBarRead& e) override {
    for (auto* l : taking_[kVaryBarRead]) l->vary_bar_read(e);
  }
  void item_weighed(const ItemWeighed& e) override {
    for (auto* l : taking_[kItemWeighed]) l->item_weighed(e);
  }
  void unit_closed(const UnitClosed& e) override {
    for (auto* l : taking_[kUnitClosed]) l->unit_closed(e);
  }
  void subtotal_written(const SubtotalWritten& e) override {
    for (auto* l : taking_[kSubtotalWritten]) l->subtotal_written(e);
  }
  void problem_ended(const ProblemEnded& e) override {
    for (auto* l : taking_[kProblemEnded]) l->problem_ended(e);
  }
  void deck_error(const DeckErrorFound& e) override {
    for (auto* l : taking_[kDeckError]) l->deck_error(e);
  }
  void warning(const Warning& e) override {
    for (auto* l : taking_[kWarning]) l->warning(e);
  }
  void conversion_failed(const ConversionFailed& e) override {
    for (auto* l : taking_[kConversionFailed]) l->conversion_failed(e);
  }
  void pass1_ended(bool complete) override {
    for (auto* l : taking_[kPass1Ended]) l->pass1_ended(complete);
  }
  void problem_listed(std::size_t index) override {
    for (auto* l : taking_[kProblemListed]) l->problem_listed(index);
  }
  void card_listed(const CardListed& e) override {
    for (auto* l : taking_[kCardListed]) l->card_listed(e);
  }
  void run_ended() override {
    for (auto* l : taking_[kRunEnded]) l->run_ended();
  }

 private:
  std::array<std::vector<RunListener*>, kEventCount> taking_;
};

}  // namespace barlist::events
