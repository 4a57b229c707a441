// A JSON document written as it is made, laid out as the documents barlist
// has always written (two spaces a level, "key": value, empty containers as
// {} and []), so a record of a million cards needs no tree in memory. Texts
// are escaped by nlohmann-json, bytes that are not UTF-8 written as U+FFFD;
// reals are single-precision quantities in their shortest digits.
#pragma once

#include <cstdint>
#include <nlohmann/json_fwd.hpp>
#include <ostream>
#include <string>
#include <string_view>

namespace barlist::exports {

class JsonWriter {
 public:
  explicit JsonWriter(std::ostream& out) : out_(out) {}
  JsonWriter(const JsonWriter&) = delete;
  JsonWriter& operator=(const JsonWriter&) = delete;
  ~JsonWriter() { flush(); }

  // The next value is the member `name` of the object being written: one of
  // the document's own names, plain ASCII, written as it is.
  JsonWriter& key(std::string_view name);

  void begin_object() { open('{'); }
  void end_object() { close('}'); }
  void begin_array() { open('['); }
  void end_array() { close(']'); }

  void text(std::string_view value);
  void integer(std::int64_t value);
  void line(std::uint64_t value);
  void boolean(bool value);
  void null();
  // A computed quantity: its shortest single-precision digits; null when not finite.
  void real(float value);
  // A count, length or dimension: an integer when whole (as nearly always),
  // otherwise the real a decimal point on the card gave.
  void number(float value);
  // A figure the quantities file prints in an integer field: truncated. One
  // too wide for the field (printed as asterisks there) is given truncated as a real.
  void whole_figure(float value);
  // A value made with nlohmann-json; its reals are floats widened (json_real).
  void value(const nlohmann::ordered_json& json);

  // Hands what is written so far to the stream.
  void flush();

 private:
  void before_value();
  void indent(bool first);
  void quoted(std::string_view text);
  void open(char bracket);
  void close(char bracket);

  std::ostream& out_;
  std::string buffer_;
  std::string empty_;   // of each open container: 1 while nothing is written in it
  bool keyed_ = false;  // a key was written; its value follows
};

// The same figures as nlohmann-json values, for a document built as a tree
// (the comparison of two runs) and written by JsonWriter::value.
nlohmann::ordered_json json_real(float value);
nlohmann::ordered_json json_number(float value);
nlohmann::ordered_json json_whole_figure(float value);

}  // namespace barlist::exports
