#include "exports/json_record.h"

#include <utility>

#include "exports/by_size.h"
#include "exports/json_writer.h"
#include "exports/texts.h"

namespace barlist::exports {
namespace {

using diagnostics::Diagnostic;

void dimensions(JsonWriter& json, const geometry::BarShape& shape) {
  const std::pair<const char*, float> fields[] = {
      {"a", shape.A}, {"b", shape.B},   {"c", shape.C},   {"d", shape.D},   {"e", shape.E},
      {"f", shape.F}, {"t1", shape.T1}, {"t2", shape.T2}, {"n1", shape.N1}, {"angle", shape.ANGLE}};
  json.begin_object();
  for (const auto& [key, value] : fields) {
    if (value != 0) json.key(key).number(value);  // blank or zero: not given
  }
  json.end_object();
}

void item_json(JsonWriter& json, const Item& item) {
  json.begin_object();
  json.key("line").line(item.line);
  json.key("card").text(card_name(item.kind));
  if (item.kind == cards::CardKind::LumpWeight) {
    json.key("count").number(item.count);
    json.key("lump_weight").real(item.lump_weight_kg);
    json.key("weight").real(item.weight_kg);
    json.end_object();
    return;
  }
  json.key("size").integer(item.size);
  json.key("mark").text(item.mark);
  json.key("count").number(item.count);
  if (item.shape) {
    json.key("type").integer(item.shape->ITYPE);
    json.key("hooks").begin_array();
    json.integer(item.shape->IA);
    json.integer(item.shape->IG);
    json.end_array();
    json.key("dimensions");
    dimensions(json, *item.shape);
  }
  json.key("length").number(item.length_mm);
  json.key("weight").real(item.weight_kg);
  json.end_object();
}

void items_json(JsonWriter& json, const std::vector<Item>& list) {
  json.begin_array();
  for (const Item& each : list) item_json(json, each);
  json.end_array();
}

void unit_json(JsonWriter& json, const Unit& unit) {
  const events::UnitFigures& figures = unit.figures;
  json.begin_object();
  json.key("name").text(unit.name);
  json.key("line").line(unit.line);
  json.key("count").number(figures.unit_count);
  json.key("price").real(figures.price_per_kg);
  json.key("weight").whole_figure(figures.unit_weight_kg);
  json.key("total_weight").whole_figure(figures.total_weight_kg);
  json.key("cost").real(figures.total_cost);
  json.key("items");
  items_json(json, unit.items);
  json.end_object();
}

void problem_json(JsonWriter& json, const Problem& problem) {
  json.begin_object();
  json.key("number").text(problem.number);
  json.key("title").text(problem.title);
  json.key("line").line(problem.line);
  json.key("price").real(problem.price_per_kg);
  json.key("listed").boolean(problem.listed);
  json.key("units").begin_array();
  for (const Unit& each : problem.units) unit_json(json, each);
  json.end_array();
  json.key("subtotals").begin_array();
  for (const Subtotal& subtotal : problem.subtotals) {
    json.begin_object();
    json.key("name").text(subtotal.name);
    json.key("line").line(subtotal.line);
    json.key("weight").whole_figure(subtotal.weight_kg);
    json.key("cost").real(subtotal.cost);
    json.end_object();
  }
  json.end_array();
  json.key("total");
  if (problem.total) {
    json.begin_object();
    json.key("line").line(problem.total->line);
    json.key("weight").whole_figure(problem.total->weight_kg);
    json.key("cost").real(problem.total->cost);
    json.end_object();
  } else {
    json.null();  // no end card
  }
  json.key("by_size").begin_array();
  for (const SizeTotal& size : by_size(problem)) {
    json.begin_object();
    json.key("size").integer(size.size);
    json.key("bars").number(size.bars);
    json.key("length").number(size.length_mm);
    json.key("weight").real(size.weight_kg);
    json.end_object();
  }
  json.end_array();
  json.key("unclosed_items");
  items_json(json, problem.unclosed_items);
  json.end_object();
}

// The notes of an error or a warning as the record lists them.
void notes_json(JsonWriter& json, const Diagnostic& finding) {
  json.begin_array();
  for (const Diagnostic& note : finding.notes) {
    json.begin_object();
    json.key("line").line(note.line);
    json.key("column").integer(note.column);
    json.key("message").text(note.message);
    json.end_object();
  }
  json.end_array();
}

// The edits that mend a finding, columns counted in bytes as on the card.
void fixes_json(JsonWriter& json, const std::vector<events::Fix>& list) {
  json.begin_array();
  for (const events::Fix& fix : list) {
    json.begin_object();
    json.key("line").line(fix.line);
    json.key("first_column").integer(fix.first_column);
    json.key("last_column").integer(fix.last_column);
    json.key("text").text(fix.text);
    json.key("safe").boolean(fix.safe);
    json.end_object();
  }
  json.end_array();
}

// A diagnostic as the terminal shows it: "KIND: MESSAGE" at its line and column.
void diagnostic_json(JsonWriter& json, const Diagnostic& d) {
  json.begin_object();
  json.key("severity").text(diagnostics::severity_name(d.severity));
  json.key("line").line(d.line);
  json.key("column").integer(d.column);
  json.key("kind").text(d.kind);
  json.key("message").text(d.message);
  if (d.severity != diagnostics::Severity::Note) {
    json.key("notes").begin_array();
    for (const Diagnostic& note : d.notes) diagnostic_json(json, note);
    json.end_array();
    json.key("fixes");
    fixes_json(json, d.fixes);
  }
  json.end_object();
}

void error_json(JsonWriter& json, const ErrorRecord& error, const RunRecord& run) {
  json.begin_object();
  json.key("error").integer(events::number(error.error));
  json.key("line").line(error.line);
  if (error.column > 0) json.key("column").integer(error.column);
  json.key("message").text(events::message(error.error));
  if (error.problem_number) json.key("problem").text(*error.problem_number);
  if (error.unit_name) json.key("unit").text(*error.unit_name);
  if (error.bar) json.key("bar").text(*error.bar);
  if (!error.card.empty()) json.key("card").text(error.card);
  json.key("problem_index").line(error.problem);
  json.key("notes");
  notes_json(json, run.diagnostics[error.diagnostic]);
  json.end_object();
}

void warning_json(JsonWriter& json, const Diagnostic& warning) {
  json.begin_object();
  json.key("line").line(warning.line);
  json.key("column").integer(warning.column);
  json.key("message").text(warning.message);
  json.key("notes");
  notes_json(json, warning);
  json.end_object();
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
  JsonWriter json(out);
  json.begin_object();
  json.key("barlist").text(version_);
  json.key("deck").text(deck_);
  json.key("date").text(date_);
  json.key("time").text(time_);
  json.key("started").text(started_);
  json.key("complete").boolean(run.complete);
  json.key("problems").begin_array();
  for (const Problem& each : run.problems) problem_json(json, each);
  json.end_array();
  json.key("errors").begin_array();
  for (const ErrorRecord& each : run.errors) error_json(json, each, run);
  json.end_array();
  json.key("warnings").begin_array();
  for (const std::size_t each : run.warnings) warning_json(json, run.diagnostics[each]);
  json.end_array();
  json.key("diagnostics").begin_array();
  for (const Diagnostic& each : run.diagnostics) diagnostic_json(json, each);
  json.end_array();
  json.key("summary").text(run.summary);
  json.end_object();
  json.flush();
  out << '\n';
}

}  // namespace barlist::exports
