#include "exports/json_writer.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <nlohmann/json.hpp>

#include "exports/float_text.h"
#include "weights/totals.h"

namespace barlist::exports {
namespace {

using Json = nlohmann::ordered_json;

constexpr std::size_t kFlushAt = 1 << 16;
constexpr float kExactIntegers = 9007199254740992.0f;  // 2^53

// A text that needs no escaping: printable ASCII but the quote and backslash.
// Eight bytes are looked at together: most texts are card images and
// messages of dozens of plain bytes.
bool plain(std::string_view text) {
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  constexpr std::uint64_t kHighs = 0x8080808080808080u;
  const auto any_zero_byte = [](std::uint64_t x) { return ((x - kOnes) & ~x & kHighs) != 0; };
  std::size_t at = 0;
  for (; at + 8 <= text.size(); at += 8) {
    std::uint64_t x = 0;
    std::memcpy(&x, text.data() + at, 8);
    const bool below_blank = ((x - 0x20 * kOnes) & ~x & kHighs) != 0;  // a byte under 0x20
    if (below_blank || (x & kHighs) != 0 || any_zero_byte(x ^ (0x7f * kOnes)) || any_zero_byte(x ^ ('"' * kOnes)) ||
        any_zero_byte(x ^ ('\\' * kOnes))) {
      return false;
    }
  }
  for (; at < text.size(); ++at) {
    const char c = text[at];
    if (c < 0x20 || c > 0x7e || c == '"' || c == '\\') return false;
  }
  return true;
}

// A real as a JSON reader of doubles writes it: digits with a decimal point
// ("605.49", "12.0", "0.0005") up to 15 places before the point and 4 zeros
// after it, beyond that with an exponent ("1e+20", "2.5e-08").
void append_real(std::string& out, float value) {
  const Digits d = shortest_digits(value);
  if (d.negative) out += '-';
  if (d.digits.empty()) {
    out += "0.0";
    return;
  }
  constexpr int kMaxPoint = 15;
  constexpr int kMinPoint = -4;
  const int k = static_cast<int>(d.digits.size());
  const int n = d.point;
  if (k <= n && n <= kMaxPoint) {
    out += d.digits;
    out.append(static_cast<std::size_t>(n - k), '0');
    out += ".0";
  } else if (0 < n && n <= kMaxPoint) {
    out.append(d.digits, 0, static_cast<std::size_t>(n));
    out += '.';
    out.append(d.digits, static_cast<std::size_t>(n));
  } else if (kMinPoint < n && n <= 0) {
    out += "0.";
    out.append(static_cast<std::size_t>(-n), '0');
    out += d.digits;
  } else {
    out += d.digits[0];
    if (k > 1) {
      out += '.';
      out.append(d.digits, 1);
    }
    const int exponent = n - 1;
    out += exponent < 0 ? "e-" : "e+";
    const int magnitude = std::abs(exponent);
    if (magnitude < 10) out += '0';
    out += std::to_string(magnitude);
  }
}

}  // namespace

JsonWriter& JsonWriter::key(std::string_view name) {
  before_value();
  buffer_ += '"';
  buffer_ += name;  // the document's own names, which need no escaping
  buffer_ += "\": ";
  keyed_ = true;
  return *this;
}

// A comma, a line end and the indent of the deepest level written, of which
// each value takes what it needs in one piece.
constexpr std::string_view kBreaks =
    ",\n                                                                "
    "                                                                ";

void JsonWriter::indent(bool first) {
  const std::size_t width = 2 * empty_.size();
  if (width + 2 > kBreaks.size()) {
    buffer_ += first ? "\n" : ",\n";
    buffer_.append(width, ' ');
    return;
  }
  buffer_.append(kBreaks.substr(first ? 1 : 0, width + (first ? 1 : 2)));
}

void JsonWriter::before_value() {
  if (keyed_) {
    keyed_ = false;
    return;
  }
  if (empty_.empty()) return;
  indent(empty_.back() != 0);
  empty_.back() = 0;
}

void JsonWriter::open(char bracket) {
  before_value();
  buffer_ += bracket;
  empty_.push_back(1);
}

void JsonWriter::close(char bracket) {
  const bool was_empty = empty_.back() != 0;
  empty_.pop_back();
  if (!was_empty) {
    const std::size_t width = 2 * empty_.size();
    if (width + 1 < kBreaks.size()) {
      buffer_.append(kBreaks.substr(1, width + 1));
    } else {
      buffer_ += '\n';
      buffer_.append(width, ' ');
    }
  }
  buffer_ += bracket;
  if (buffer_.size() >= kFlushAt) flush();
}

void JsonWriter::text(std::string_view value) {
  before_value();
  quoted(value);
}

void JsonWriter::quoted(std::string_view value) {
  if (plain(value)) {
    buffer_ += '"';
    buffer_ += value;
    buffer_ += '"';
  } else {
    buffer_ += Json(std::string(value)).dump(-1, ' ', false, Json::error_handler_t::replace);
  }
}

void JsonWriter::integer(std::int64_t value) {
  before_value();
  buffer_ += std::to_string(value);
}

void JsonWriter::line(std::uint64_t value) {
  before_value();
  buffer_ += std::to_string(value);
}

void JsonWriter::boolean(bool value) {
  before_value();
  buffer_ += value ? "true" : "false";
}

void JsonWriter::null() {
  before_value();
  buffer_ += "null";
}

void JsonWriter::real(float value) {
  before_value();
  if (std::isfinite(value)) {
    append_real(buffer_, value);
  } else {
    buffer_ += "null";
  }
}

void JsonWriter::number(float value) {
  if (std::trunc(value) == value && std::fabs(value) < kExactIntegers) {
    integer(static_cast<std::int64_t>(value));
  } else {
    real(value);
  }
}

void JsonWriter::whole_figure(float value) {
  const std::int64_t whole = weights::whole(value);
  if (whole != std::numeric_limits<std::int64_t>::max()) {
    integer(whole);
  } else {
    real(std::trunc(value));
  }
}

void JsonWriter::value(const Json& json) {
  switch (json.type()) {
    case Json::value_t::object:
      begin_object();
      for (const auto& [name, member] : json.items()) key(name).value(member);
      end_object();
      return;
    case Json::value_t::array:
      begin_array();
      for (const Json& element : json) value(element);
      end_array();
      return;
    case Json::value_t::string:
      text(json.get_ref<const std::string&>());
      return;
    case Json::value_t::boolean:
      boolean(json.get<bool>());
      return;
    case Json::value_t::number_integer:
      integer(json.get<std::int64_t>());
      return;
    case Json::value_t::number_unsigned:
      line(json.get<std::uint64_t>());
      return;
    case Json::value_t::number_float:
      real(static_cast<float>(json.get<double>()));
      return;
    default:
      null();
      return;
  }
}

void JsonWriter::flush() {
  out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
  buffer_.clear();
}

Json json_real(float value) { return std::isfinite(value) ? Json(static_cast<double>(value)) : Json(nullptr); }

Json json_number(float value) {
  if (std::trunc(value) == value && std::fabs(value) < kExactIntegers) return static_cast<std::int64_t>(value);
  return json_real(value);
}

Json json_whole_figure(float value) {
  const std::int64_t whole = weights::whole(value);
  if (whole != std::numeric_limits<std::int64_t>::max()) return whole;
  return json_real(std::trunc(value));
}

}  // namespace barlist::exports
