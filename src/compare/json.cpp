#include <cmath>
#include <cstdlib>
#include <limits>
#include <nlohmann/json.hpp>

#include "compare/output.h"
#include "events/deck_errors.h"
#include "exports/json_writer.h"
#include "exports/texts.h"
#include "weights/totals.h"

namespace barlist::compare {
namespace {

using Json = nlohmann::ordered_json;  // keys in the order documented
using exports::Item;

Json real(float v) { return exports::json_real(v); }
Json number(float v) { return exports::json_number(v); }
Json whole(float v) { return exports::json_whole_figure(v); }

Json lines(const events::Line* before, const events::Line* after) {
  return {{"before", before ? Json(*before) : Json()}, {"after", after ? Json(*after) : Json()}};
}

Json dimensions(const Item& item) {
  Json given = Json::object();
  if (!item.shape) return given;
  const geometry::BarShape& s = *item.shape;
  const std::pair<const char*, float> fields[] = {{"a", s.A},   {"b", s.B},        {"c", s.C},   {"d", s.D},
                                                  {"e", s.E},   {"f", s.F},        {"t1", s.T1}, {"t2", s.T2},
                                                  {"n1", s.N1}, {"angle", s.ANGLE}};
  for (const auto& [key, v] : fields) {
    if (v != 0) given[key] = number(v);  // blank or zero: not given
  }
  return given;
}

Json field_value(Field field, const Item* item) {
  if (item == nullptr) return nullptr;
  switch (field) {
    case Field::Count:
      return number(item->count);
    case Field::Type:
      return item->shape ? item->shape->ITYPE : 0;
    case Field::Hooks:
      return item->shape ? Json::array({item->shape->IA, item->shape->IG}) : Json::array({0, 0});
    case Field::Dimensions:
      return dimensions(*item);
    case Field::Length:
      return number(item->length_mm);
    case Field::LumpWeight:
      break;
  }
  return real(item->lump_weight_kg);
}

// A card added or removed has each of its fields as a change from or to nothing.
Json changes(const ItemChange& change) {
  const Item& shown = change.after ? *change.after : *change.before;
  const std::vector<Field>& fields = change.status == Status::Changed ? change.changes : fields_of(shown.kind);
  Json list = Json::array();
  for (Field field : fields) {
    list.push_back({{"field", field_name(field)},
                    {"before", field_value(field, change.before)},
                    {"after", field_value(field, change.after)}});
  }
  return list;
}

const events::Line* line_of(const Item* item) { return item ? &item->line : nullptr; }

Json bar_json(const Json& unit, const ItemChange& c) {
  const Item& shown = c.after ? *c.after : *c.before;
  return {{"unit", unit},
          {"size", shown.size},
          {"mark", shown.mark},
          {"kind", std::string(exports::card_name(shown.kind))},
          {"occurrence", c.occurrence},
          {"status", status_name(c.status)},
          {"line", lines(line_of(c.before), line_of(c.after))},
          {"changes", changes(c)}};
}

Json lump_json(const Json& unit, const ItemChange& c) {
  return {{"unit", unit},
          {"position", c.occurrence},
          {"status", status_name(c.status)},
          {"line", lines(line_of(c.before), line_of(c.after))},
          {"changes", changes(c)}};
}

Json unit_side(const exports::Unit* unit) {
  if (unit == nullptr) return nullptr;
  const events::UnitFigures& f = unit->figures;
  return {{"count", number(f.unit_count)},
          {"unit_weight_kg", whole(f.unit_weight_kg)},
          {"weight_kg", whole(f.total_weight_kg)},
          {"price", real(f.price_per_kg)},
          {"cost", real(f.total_cost)}};
}

Json error_json(const ErrorChange& e) {
  const exports::ErrorRecord& r = *e.error;
  Json json{{"status", status_name(e.status)},
            {"error", events::number(r.error)},
            {"message", std::string(events::message(r.error))},
            {"line", e.status == Status::Added ? lines(nullptr, &r.line) : lines(&r.line, nullptr)}};
  if (!r.card.empty()) json["card"] = r.card;
  return json;
}

Json errors_json(const std::vector<ErrorChange>& errors) {
  Json list = Json::array();
  for (const ErrorChange& e : errors) list.push_back(error_json(e));
  return list;
}

Json totals(const exports::Problem* problem, const Totals& t) {
  if (problem == nullptr) return nullptr;
  return {{"weight_kg", whole(t.weight_kg)}, {"cost", real(t.cost)}};
}

Json problem_json(const ProblemChange& p) {
  Json units = Json::array(), bars = Json::array(), lumps = Json::array();
  for (const UnitChange& u : p.units) {
    const std::string& name = (u.after ? u.after : u.before)->name;
    Json unit{{"name", name},
              {"occurrence", u.occurrence},
              {"status", status_name(u.status)},
              {"line", lines(u.before ? &u.before->line : nullptr, u.after ? &u.after->line : nullptr)},
              {"before", unit_side(u.before)},
              {"after", unit_side(u.after)}};
    if (u.same_bars_as != nullptr) unit["same_bars_as"] = u.same_bars_as->name;
    if (u.unclosed) unit = {{"name", nullptr}, {"status", status_name(u.status)}, {"unclosed", true}};
    units.push_back(std::move(unit));
    const Json unit_name = u.unclosed ? Json() : Json(name);  // null: outside any unit line
    for (const ItemChange& c : u.bars) bars.push_back(bar_json(unit_name, c));
    for (const ItemChange& c : u.lump_weights) lumps.push_back(lump_json(unit_name, c));
  }
  const exports::Problem& shown = p.after ? *p.after : *p.before;
  return {{"number", shown.number},
          {"occurrence", p.occurrence},
          {"status", status_name(p.status)},
          {"line", lines(p.before ? &p.before->line : nullptr, p.after ? &p.after->line : nullptr)},
          {"before", totals(p.before, p.before_totals)},
          {"after", totals(p.after, p.after_totals)},
          {"error_count", {{"before", p.errors_before}, {"after", p.errors_after}}},
          {"units", std::move(units)},
          {"bars", std::move(bars)},
          {"lump_weights", std::move(lumps)},
          {"errors", errors_json(p.errors)}};
}

Json deck_json(const std::string& name, const exports::RunRecord& run, bool empty) {
  Json json{{"deck", name}, {"complete", run.complete}, {"empty", empty}};
  if (const exports::ErrorRecord* end = reading_end(run)) {
    json["ended_at"] = {{"line", end->line}, {"error", events::number(end->error)}};
  }
  return json;
}

}  // namespace

void write_json(std::ostream& out, const Comparison& c, const Decks& decks, const std::string& version) {
  Json problems = Json::array();
  for (const ProblemChange& p : c.problems) problems.push_back(problem_json(p));
  const Json document{{"barlist", version},
                      {"before", deck_json(decks.before, *c.before, decks.before_empty)},
                      {"after", deck_json(decks.after, *c.after, decks.after_empty)},
                      {"differs", c.differs},
                      {"problems", std::move(problems)},
                      {"errors", errors_json(c.errors)}};
  exports::JsonWriter writer(out);
  writer.value(document);
  writer.flush();
  out << '\n';
}

}  // namespace barlist::compare
