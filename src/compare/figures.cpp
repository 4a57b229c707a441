#include "compare/figures.h"

#include <fmt/format.h>

#include <array>
#include <span>

#include "records/decode.h"
#include "records/layout.h"
#include "weights/totals.h"

namespace barlist::compare {
namespace {

using records::Layout;

// The widths of the quantities file's weight, cost and price fields.
constexpr Layout kWeightField{"(I9)"};
constexpr Layout kCostField{"(F10.2)"};
constexpr Layout kPriceField{"(F6.2)"};

std::string field_text(const Layout& layout, const records::Value& v) {
  std::array<char, 16> cell{};
  records::encode_fields(std::span<char>(cell), layout, v);
  const std::string_view text(cell.data(), cell.size());
  const auto first = text.find_first_not_of(' ');
  const auto last = text.find_last_not_of(' ');
  return first == std::string_view::npos ? std::string() : std::string(text.substr(first, last - first + 1));
}

std::optional<std::int64_t> digits_of(const std::string& text) {
  if (text.empty() || text.find('*') != std::string::npos) return std::nullopt;
  std::int64_t result = 0;
  for (char c : text) {
    if (c >= '0' && c <= '9') result = result * 10 + (c - '0');
  }
  return text.front() == '-' ? -result : result;
}

}  // namespace

std::string whole_kg(float weight_kg) { return field_text(kWeightField, records::Value(weights::whole(weight_kg))); }

std::string dollars(float cost) { return field_text(kCostField, records::Value(cost)); }

std::string price(float price_per_kg) { return field_text(kPriceField, records::Value(price_per_kg)); }

std::string units(float count) { return whole_kg(count); }

std::optional<std::int64_t> printed_kg(float weight_kg) { return digits_of(whole_kg(weight_kg)); }

std::optional<std::int64_t> printed_cents(float cost) { return digits_of(dollars(cost)); }

std::string value(float number) { return fmt::format("{}", number); }

}  // namespace barlist::compare
