// A card image read into its decoded form by its kind's description.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string_view>
#include <type_traits>
#include <utility>

#include "cards/descriptions.h"
#include "records/input_channel.h"

namespace barlist::cards {

// A decode: how it went, and the field that did not convert when it failed.
struct DecodeStatus {
  records::ReadStatus status = records::ReadStatus::Ok;
  const CardField* failed = nullptr;
  bool ok() const { return status == records::ReadStatus::Ok; }
};

namespace detail {
template <typename Description>
[[gnu::always_inline]] inline DecodeStatus read_fields(const Description& description, std::string_view image,
                                                       std::span<const Target> targets) {
  const records::ReadResult read = records::read_records(description.layout, image, targets, nullptr);
  if (read.ok()) return {};
  return {read.status, &description.field_list[read.failed_target]};
}
}  // namespace detail

// Reads the card image into `card` by the description's layout; the fields
// before a failed one are filled, none after.
template <typename Decoded, std::size_t N>
[[gnu::always_inline]] inline DecodeStatus decode(const Description<Decoded, N>& description, std::string_view image,
                                                  Decoded& card) {
  const auto targets = [&]<std::size_t... I>(std::index_sequence<I...>) {
    return std::array<Target, N>{description.targets[I](card)...};
  }
  (std::make_index_sequence<N>{});
  return detail::read_fields(description, image, targets);
}

// The same for a description the compiler knows, as pass 1 has: each
// field's target is then a direct call that the compiler can inline.
template <const auto& description>
[[gnu::always_inline]] inline DecodeStatus decode(std::string_view image,
                                                  typename std::remove_cvref_t<decltype(description)>::Card& card) {
  const auto targets = [&]<std::size_t... I>(std::index_sequence<I...>) {
    return std::array<Target, sizeof...(I)>{std::get<I>(description.targets)(card)...};
  }
  (std::make_index_sequence<description.targets.size()>{});
  return detail::read_fields(description, image, targets);
}

}  // namespace barlist::cards
