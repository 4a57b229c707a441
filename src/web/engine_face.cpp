// The engine as the page calls it: the engine's face on a deck's bytes, its
// answer as JSON (the findings, the summary and each problem's weights), the
// hints, and the bytes of the reports and exports asked for, left in memory
// for the page to copy; and what barlist reads at a column of a card. Every
// answer lasts until the next call of its kind.
#include <emscripten/emscripten.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "compare/revisions.h"
#include "engine/deck_run.h"
#include "engine/face.h"
#include "exports/float_text.h"
#include "web/card_fields.h"

namespace {

using barlist::diagnostics::Diagnostic;
using barlist::diagnostics::Severity;
using Json = nlohmann::json;

// What the page asks of a check, as the bits of one number.
enum Asked : unsigned {
  kCheckOnly = 1,
  kStrict = 2,
  kReports = 4,
  kJson = 8,
  kCsv = 16,
  kEpoch = 32,  // the clock is fixed at the epoch given
  kWeights = 64,
};

barlist::engine::CheckResult last;  // the last check, whose products the page copies
std::string answer;                 // the last JSON answer
std::vector<double> hints;          // line, length in mm, weight in kg of each hint of the last check
std::string hint_texts;             // "4600 mm\t640.1 kg\n" for each hint of the last check

// A hint's two quantities as the page is given them: their shortest digits
// and "4600 mm\t640.1 kg\n". Kept from check to check by the two floats'
// bits, since a deck has few distinct bars and a key changes few of them:
// making them again for every card took a third of a check.
struct HintFigures {
  double length_mm;
  double weight_kg;
  std::string text;
};
std::unordered_map<std::uint64_t, HintFigures> hint_figures;
constexpr std::size_t kMostHintFiguresKept = 1 << 16;

const char* json_answer(const Json& json) {
  answer = json.dump(-1, ' ', false, Json::error_handler_t::replace);
  return answer.c_str();
}

Json diagnostic_json(const Diagnostic& d) {
  Json json{{"severity", barlist::diagnostics::severity_name(d.severity)},
            {"line", d.line},
            {"column", d.column},
            {"kind", d.kind},
            {"message", d.message}};
  if (d.severity == Severity::Note) return json;
  json["card"] = d.card;
  Json notes = Json::array();
  for (const Diagnostic& note : d.notes) notes.push_back(diagnostic_json(note));
  json["notes"] = std::move(notes);
  Json fixes = Json::array();
  for (const auto& fix : d.fixes) {
    fixes.push_back({{"line", fix.line},
                     {"first_column", fix.first_column},
                     {"last_column", fix.last_column},
                     {"text", fix.text},
                     {"safe", fix.safe},
                     {"keeps_values", fix.keeps_values}});
  }
  json["fixes"] = std::move(fixes);
  return json;
}

// A quantity as the JSON record writes it: its shortest single-precision
// digits (NaN for one that is not finite).
double quantity(float value) { return std::isfinite(value) ? barlist::exports::shortest_double(value) : NAN; }

const HintFigures& figures_of(float length_mm, float weight_kg) {
  float pair[2] = {length_mm, weight_kg};
  std::uint64_t key = 0;
  std::memcpy(&key, pair, sizeof key);
  if (const auto known = hint_figures.find(key); known != hint_figures.end()) return known->second;
  if (hint_figures.size() >= kMostHintFiguresKept) hint_figures.clear();
  std::string text = barlist::engine::length_text(length_mm) + '\t' + barlist::engine::weight_text(weight_kg) + '\n';
  return hint_figures.emplace(key, HintFigures{quantity(length_mm), quantity(weight_kg), std::move(text)})
      .first->second;
}

const std::string* product(int which) {
  const std::optional<std::string>* products[] = {&last.quantities, &last.bar_table, &last.json, &last.csv};
  if (which < 0 || which >= 4 || !*products[which]) return nullptr;
  return &**products[which];
}

Json span_json(const barlist::web::FieldSpan& span) {
  Json json{{"name", span.name}, {"first", span.first_column}, {"last", span.last_column}, {"says", span.says}};
  if (!span.note.empty()) json["note"] = span.note;
  if (span.listed) json["listed"] = true;
  return json;
}

Json weights_json(const std::vector<barlist::engine::ProblemWeights>& problems) {
  Json json = Json::array();
  for (const auto& problem : problems) {
    Json sizes = Json::array();
    for (const auto& size : problem.sizes) {
      sizes.push_back(
          {{"size", size.size}, {"bars", size.bars}, {"length_mm", size.length_mm}, {"weight_kg", size.weight_kg}});
    }
    json.push_back({{"number", problem.number},
                    {"title", problem.title},
                    {"sizes", std::move(sizes)},
                    {"bars_kg", problem.bars_kg},
                    {"lumps_kg", problem.lumps_kg},
                    {"rounding_kg", problem.rounding_kg},
                    {"total_kg", problem.total_kg},
                    {"cost", problem.cost}});
  }
  return json;
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* barlist_version() { return barlist::engine::version(); }

// Checks the `length` bytes at `deck`, named `name`; returns
// {"status", "diagnostics", "summary"} and, when asked, "weights" (null
// after a fatal stop). The hints, many to a deck, are left as numbers and
// texts for the page to read (barlist_hints, barlist_hint_texts).
EMSCRIPTEN_KEEPALIVE const char* barlist_check(const char* deck, int length, const char* name, unsigned asked,
                                               double epoch) {
  barlist::engine::CheckOptions options{.deck = name,
                                        .check_only = (asked & kCheckOnly) != 0,
                                        .strict = (asked & kStrict) != 0,
                                        .reports = (asked & kReports) != 0,
                                        .json = (asked & kJson) != 0,
                                        .csv = (asked & kCsv) != 0,
                                        .weights = (asked & kWeights) != 0};
  if ((asked & kEpoch) != 0) options.epoch = std::isfinite(epoch) ? static_cast<std::int64_t>(epoch) : -1;
  last = barlist::engine::check({deck, static_cast<std::size_t>(std::max(length, 0))}, options);
  Json diagnostics = Json::array();
  for (const Diagnostic& d : last.diagnostics) diagnostics.push_back(diagnostic_json(d));
  hints.clear();
  hints.reserve(3 * last.hints.size());
  hint_texts.clear();
  for (const auto& hint : last.hints) {
    const HintFigures& figures = figures_of(hint.length_mm, hint.weight_kg);
    hints.insert(hints.end(), {static_cast<double>(hint.line), figures.length_mm, figures.weight_kg});
    hint_texts += figures.text;
  }
  Json json{{"status", last.status}, {"diagnostics", std::move(diagnostics)}, {"summary", last.summary}};
  if ((asked & kWeights) != 0) json["weights"] = last.weights ? weights_json(*last.weights) : Json(nullptr);
  return json_answer(json);
}

// The hints of the last check: three numbers each (line, length in mm,
// weight in kg), and their count.
EMSCRIPTEN_KEEPALIVE const double* barlist_hints() { return hints.data(); }
EMSCRIPTEN_KEEPALIVE int barlist_hint_count() { return static_cast<int>(hints.size() / 3); }
// The same hints as the page shows them: "4600 mm\t640.1 kg", a line each.
EMSCRIPTEN_KEEPALIVE const char* barlist_hint_texts() { return hint_texts.c_str(); }

// The bytes of a product of the last check (0 quantities, 1 bar table, 2
// JSON record, 3 CSV schedule), and their count: -1 when not made.
EMSCRIPTEN_KEEPALIVE const char* barlist_product(int which) {
  const std::string* bytes = product(which);
  return bytes != nullptr ? bytes->data() : nullptr;
}
EMSCRIPTEN_KEEPALIVE int barlist_product_size(int which) {
  const std::string* bytes = product(which);
  return bytes != nullptr ? static_cast<int>(bytes->size()) : -1;
}

// {"kind": "bar card", "field": {"name", "first", "last", "says", "note"?, "listed"?},
//  "value": "4600" or null, "reading": "read as 4600"}
EMSCRIPTEN_KEEPALIVE const char* barlist_field_at(const char* line, int column) {
  const barlist::web::FieldAtColumn at = barlist::web::field_at(line, column);
  Json json{{"kind", at.card_kind}, {"field", span_json(at.field)}, {"value", nullptr}, {"reading", at.reading}};
  if (at.value) json["value"] = *at.value;
  return json_answer(json);
}

// [{"name", "first", "last", "says", "note"?, "listed"?}...] for the card kind of column 1.
EMSCRIPTEN_KEEPALIVE const char* barlist_card_fields(int column1) {
  Json spans = Json::array();
  for (const auto& span : barlist::web::card_fields(static_cast<char>(column1))) spans.push_back(span_json(span));
  return json_answer(spans);
}

// Two revisions of a deck compared: {"differs", "lines": [{"indent", "text",
// "kind", "go_to", "marked"}]}, the text `barlist compare` prints, each line
// with its card in the new revision (0 for none); or {"error"} when a deck
// stops.
EMSCRIPTEN_KEEPALIVE const char* barlist_compare(const char* before, int before_length, const char* before_name,
                                                 const char* after, int after_length, const char* after_name) {
  const auto bytes = [](const char* at, int length) { return std::string_view(at, std::max(length, 0)); };
  try {
    const auto compared = barlist::compare::compare_revisions_as_text(
        bytes(before, before_length), bytes(after, after_length), {before_name, after_name});
    Json lines = Json::array();
    for (const auto& line : compared.lines) {
      lines.push_back({{"indent", line.indent},
                       {"text", line.text},
                       {"kind", line.kind},
                       {"go_to", line.go_to},
                       {"marked", line.marked}});
    }
    return json_answer({{"differs", compared.differs}, {"lines", std::move(lines)}});
  } catch (const barlist::records::FatalError& error) {
    const Diagnostic stop = barlist::engine::fatal_diagnostic(error);
    const std::string where = stop.line != 0 ? error.path() + ":" + std::to_string(stop.line) + ": " : "";
    return json_answer({{"error", where + stop.message}});
  } catch (const std::exception& error) {
    return json_answer({{"error", std::string("internal error: ") + error.what()}});
  }
}

}  // extern "C"
