#include "exports/json_record.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>
#include <utility>

#include "exports/by_size.h"
#include "exports/json_numbers.h"
#include "exports/shortest_float.h"
#include "exports/texts.h"
#include "weights/totals.h"

namespace barlist::exports {

using Json = nlohmann::ordered_json;  // keys in the order written, as documented

Json json_real(float value) { return std::isfinite(value) ? Json(shortest_double(value)) : Json(nullptr); }

Json json_number(float value) {
  constexpr float kExactIntegers = 9007199254740992.0f;  // 2^53
  if (std::trunc(value) == value && std::fabs(value) < kExactIntegers) return static_cast<std::int64_t>(value);
  return json_real(value);
}

Json json_whole_figure(float value) {
  const std::int64_t whole = weights::whole(value);
  if (whole != std::numeric_limits<std::int64_t>::max()) return whole;
  return json_real(std::trunc(value));
}

namespace {

Json real(float value) { return json_real(value); }
Json number(float value) { return json_number(value); }
Json whole_figure(float value) { return json_whole_figure(value); }

Json dimensions(const geometry::BarShape& shape) {
  const std::pair<const char*, float> fields[] = {
      {"a", shape.A}, {"b", shape.B},   {"c", shape.C},   {"d", shape.D},   {"e", shape.E},
      {"f", shape.F}, {"t1", shape.T1}, {"t2", shape.T2}, {"n1", shape.N1}, {"angle", shape.ANGLE}};
  Json given = Json::object();
  for (const auto& [key, value] : fields) {
    if (value != 0) given[key] = number(value);  // blank or zero: not given
  }
  return given;
}

Json item_json(const Item& item) {
  Json json{{"line", item.line}, {"card", std::string(card_name(item.kind))}};
  if (item.kind == events::CardKind::LumpWeight) {
    json["count"] = number(item.count);
    json["lump_weight"] = real(item.lump_weight_kg);
    json["weight"] = real(item.weight_kg);
    return json;
  }
  json["size"] = item.size;
  json["mark"] = item.mark;
  json["count"] = number(item.count);
  if (item.shape) {
    json["type"] = item.shape->ITYPE;
    json["hooks"] = Json::array({item.shape->IA, item.shape->IG});
    json["dimensions"] = dimensions(*item.shape);
  }
  json["length"] = number(item.length_mm);
  json["weight"] = real(item.weight_kg);
  return json;
}

Json items_json(const std::vector<Item>& items) {
  Json json = Json::array();
  for (const Item& item : items) json.push_back(item_json(item));
  return json;
}

Json unit_json(const Unit& unit) {
  const events::UnitFigures& figures = unit.figures;
  return {{"name", unit.name},
          {"line", unit.line},
          {"count", number(figures.unit_count)},
          {"price", real(figures.price_per_kg)},
          {"weight", whole_figure(figures.unit_weight_kg)},
          {"total_weight", whole_figure(figures.total_weight_kg)},
          {"cost", real(figures.total_cost)},
          {"items", items_json(unit.items)}};
}

Json problem_json(const Problem& problem) {
  Json units = Json::array();
  for (const Unit& unit : problem.units) units.push_back(unit_json(unit));
  Json subtotals = Json::array();
  for (const Subtotal& subtotal : problem.subtotals) {
    subtotals.push_back({{"name", subtotal.name},
                         {"line", subtotal.line},
                         {"weight", whole_figure(subtotal.weight_kg)},
                         {"cost", real(subtotal.cost)}});
  }
  Json total = nullptr;  // no end card
  if (problem.total) {
    total = {{"line", problem.total->line},
             {"weight", whole_figure(problem.total->weight_kg)},
             {"cost", real(problem.total->cost)}};
  }
  Json sizes = Json::array();
  for (const SizeTotal& size : by_size(problem)) {
    sizes.push_back({{"size", size.size},
                     {"bars", number(size.bars)},
                     {"length", number(size.length_mm)},
                     {"weight", real(size.weight_kg)}});
  }
  return {{"number", problem.number},
          {"title", problem.title},
          {"line", problem.line},
          {"price", real(problem.price_per_kg)},
          {"listed", problem.listed},
          {"units", std::move(units)},
          {"subtotals", std::move(subtotals)},
          {"total", std::move(total)},
          {"by_size", std::move(sizes)},
          {"unclosed_items", items_json(problem.unclosed_items)}};
}

Json notes_json(const std::vector<events::Note>& notes) {
  Json json = Json::array();
  for (const events::Note& note : notes) {
    json.push_back({{"line", note.line}, {"column", note.column}, {"message", note.text}});
  }
  return json;
}

// The edits that mend a finding, columns counted in bytes as on the card.
Json fixes_json(const std::vector<events::Fix>& fixes) {
  Json json = Json::array();
  for (const events::Fix& fix : fixes) {
    json.push_back({{"line", fix.line},
                    {"first_column", fix.first_column},
                    {"last_column", fix.last_column},
                    {"text", fix.text},
                    {"safe", fix.safe}});
  }
  return json;
}

// A diagnostic as the terminal shows it: "KIND: MESSAGE" at its line and column.
Json diagnostic_json(const diagnostics::Diagnostic& d) {
  Json json{{"severity", diagnostics::severity_name(d.severity)},
            {"line", d.line},
            {"column", d.column},
            {"kind", d.kind},
            {"message", d.message}};
  if (d.severity != diagnostics::Severity::Note) {
    Json notes = Json::array();
    for (const diagnostics::Diagnostic& note : d.notes) notes.push_back(diagnostic_json(note));
    json["notes"] = std::move(notes);
    json["fixes"] = fixes_json(d.fixes);
  }
  return json;
}

Json error_json(const ErrorRecord& error) {
  Json json{{"error", events::number(error.error)}, {"line", error.line}};
  if (error.column > 0) json["column"] = error.column;
  json["message"] = std::string(events::message(error.error));
  if (error.problem_number) json["problem"] = *error.problem_number;
  if (error.unit_name) json["unit"] = *error.unit_name;
  if (error.bar) json["bar"] = *error.bar;
  if (!error.card.empty()) json["card"] = error.card;
  json["problem_index"] = error.problem;
  json["notes"] = notes_json(error.notes);
  return json;
}

}  // namespace

JsonRecord::JsonRecord(std::string version, std::string deck, std::string date, std::string time, std::string started)
    : version_(std::move(version)),
      deck_(std::move(deck)),
      date_(std::move(date)),
      time_(std::move(time)),
      started_(std::move(started)) {}

void JsonRecord::write(std::ostream& out) const {
  const RunRecord& run = record();
  Json problems = Json::array();
  for (const Problem& problem : run.problems) problems.push_back(problem_json(problem));
  Json errors = Json::array();
  for (const ErrorRecord& error : run.errors) errors.push_back(error_json(error));
  Json warnings = Json::array();
  for (const WarningRecord& warning : run.warnings) {
    warnings.push_back({{"line", warning.line},
                        {"column", warning.column},
                        {"message", warning.message},
                        {"notes", notes_json(warning.notes)}});
  }
  Json diagnostics = Json::array();
  for (const diagnostics::Diagnostic& d : run.diagnostics) diagnostics.push_back(diagnostic_json(d));
  const Json document{{"barlist", version_},
                      {"deck", deck_},
                      {"date", date_},
                      {"time", time_},
                      {"started", started_},
                      {"complete", run.complete},
                      {"problems", std::move(problems)},
                      {"errors", std::move(errors)},
                      {"warnings", std::move(warnings)},
                      {"diagnostics", std::move(diagnostics)},
                      {"summary", run.summary}};
  // Card texts are bytes as punched: any that are not UTF-8 are written as
  // U+FFFD rather than stopping the document.
  out << document.dump(2, ' ', false, Json::error_handler_t::replace) << '\n';
}

}  // namespace barlist::exports
