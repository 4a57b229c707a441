#include <fmt/format.h>

#include <set>

#include "compare/figures.h"
#include "compare/output.h"
#include "events/bar_label.h"
#include "events/deck_errors.h"
#include "exports/texts.h"

namespace barlist::compare {
namespace {

using exports::Item;

// GCC's colours: what is inserted green, what is deleted red, headings and
// places bold, the word "note" bold cyan.
constexpr const char* kBold = "\033[1m";
constexpr const char* kGreen = "\033[32m";
constexpr const char* kRed = "\033[31m";
constexpr const char* kCyan = "\033[1;36m";
constexpr const char* kReset = "\033[m";

class Writer {
 public:
  Writer(std::ostream& out, const Decks& decks, bool color) : out_(&out), decks_(decks), color_(color) {}
  // Lines kept with their cards instead of written.
  Writer(std::vector<TextLine>& lines, const Decks& decks) : decks_(decks), lines_(&lines) {}

  void comparison(const Comparison& c);

 private:
  void line(int indent, const std::string& text, const char* colour = nullptr) {
    if (lines_ != nullptr) {
      lines_->push_back({indent, text, place_.kind, place_.go_to, place_.marked});
      return;
    }
    *out_ << std::string(static_cast<std::size_t>(indent), ' ');
    if (color_ && colour != nullptr) {
      *out_ << colour << text << kReset << '\n';
    } else {
      *out_ << text << '\n';
    }
  }
  void note(int indent, const std::string& text) {
    if (lines_ != nullptr) {
      lines_->push_back({indent, "note: " + text, "note", place_.go_to, false});
      return;
    }
    line(indent, (color_ ? std::string(kCyan) + "note:" + kReset : std::string("note:")) + ' ' + text);
  }
  const char* colour_of(Status status) const {
    return status == Status::Added ? kGreen : status == Status::Removed ? kRed : kBold;
  }

  void reading_end(const std::string& deck, const exports::RunRecord& run);
  void problem(const ProblemChange& p);
  void unit(const UnitChange& u);
  void item(const ItemChange& change, bool lump, std::set<std::string>& repeated_said);
  void error(const ErrorChange& e, int indent);

  // What the next lines tell of: `own` the card in the new revision, else `around`.
  void tell(Status status, events::Line own, events::Line around, bool marked) {
    place_ = {0, {}, status_name(status), own != 0 ? own : around, marked && own != 0};
  }

  std::ostream* out_ = nullptr;
  const Decks& decks_;
  bool color_ = false;
  std::vector<TextLine>* lines_ = nullptr;
  TextLine place_{0, {}, "deck"};
  events::Line problem_at_ = 0, unit_at_ = 0;  // the current problem's and unit's cards in the new revision
};

const char* sign(Status status) { return status == Status::Added ? "+ " : status == Status::Removed ? "- " : ""; }

// "#2" after a name or mark that is on more than one card.
std::string occurrence(bool repeated, std::size_t n) { return repeated ? fmt::format(" #{}", n) : std::string(); }

std::string weight_and_cost(const Totals& t) {
  return fmt::format("{} kg, $ {}", whole_kg(t.weight_kg), dollars(t.cost));
}

// "+412 kg (+5.8 %), +$ 762.20": the difference of the figures as printed,
// its share of the old weight, "new" against a zero weight.
std::string difference(const Totals& before, const Totals& after) {
  const auto kg_before = printed_kg(before.weight_kg), kg_after = printed_kg(after.weight_kg);
  const auto cents_before = printed_cents(before.cost), cents_after = printed_cents(after.cost);
  std::string text = "? kg";
  if (kg_before && kg_after) {
    const std::int64_t kg = *kg_after - *kg_before;
    text = fmt::format("{:+} kg", kg);
    if (*kg_before != 0) {
      const float share = static_cast<float>(kg) / static_cast<float>(*kg_before) * 100.0f;
      text += fmt::format(" ({:+.1f} %)", share);
    } else if (kg != 0) {
      text += " (new)";
    }
  }
  if (!cents_before || !cents_after) return text + ", $ ?";
  const std::int64_t cents = *cents_after - *cents_before;
  const std::int64_t magnitude = cents < 0 ? -cents : cents;
  return text + fmt::format(", {}$ {}.{:02}", cents < 0 ? '-' : '+', magnitude / 100, magnitude % 100);
}

std::string unit_figures(const events::UnitFigures& f) {
  return fmt::format("{} x {} kg = {} kg at {} = $ {}", units(f.unit_count), whole_kg(f.unit_weight_kg),
                     whole_kg(f.total_weight_kg), price(f.price_per_kg), dollars(f.total_cost));
}

// What differs between a unit's two lines: "unit weight 2202 -> 2250 kg, ...".
std::string unit_differences(const events::UnitFigures& b, const events::UnitFigures& a) {
  std::string text;
  const auto add = [&](const char* what, const std::string& before, const std::string& after, const char* unit) {
    if (before == after) return;
    text += fmt::format("{}{} {} -> {}{}", text.empty() ? "" : ", ", what, before, after, unit);
  };
  add("units", units(b.unit_count), units(a.unit_count), "");
  add("unit weight", whole_kg(b.unit_weight_kg), whole_kg(a.unit_weight_kg), " kg");
  add("total weight", whole_kg(b.total_weight_kg), whole_kg(a.total_weight_kg), " kg");
  add("price", price(b.price_per_kg), price(a.price_per_kg), "");
  if (dollars(b.total_cost) != dollars(a.total_cost)) {
    text += fmt::format("{}cost $ {} -> $ {}", text.empty() ? "" : ", ", dollars(b.total_cost), dollars(a.total_cost));
  }
  if (text.empty()) text = fmt::format("{} kg, $ {} as before", whole_kg(a.total_weight_kg), dollars(a.total_cost));
  return text;
}

std::string hooks(const Item& item) {
  return item.shape ? fmt::format("{}/{}", item.shape->IA, item.shape->IG) : std::string("0/0");
}

// "a 1400 -> 1450, t1 0 -> 200" for the dimensions that differ.
std::string dimensions(const Item& before, const Item& after) {
  const geometry::BarShape none{};
  const geometry::BarShape& b = before.shape ? *before.shape : none;
  const geometry::BarShape& a = after.shape ? *after.shape : none;
  const std::pair<const char*, std::pair<float, float>> fields[] = {
      {"a", {b.A, a.A}},    {"b", {b.B, a.B}},
      {"c", {b.C, a.C}},    {"d", {b.D, a.D}},
      {"e", {b.E, a.E}},    {"f", {b.F, a.F}},
      {"t1", {b.T1, a.T1}}, {"t2", {b.T2, a.T2}},
      {"n1", {b.N1, a.N1}}, {"angle", {b.ANGLE, a.ANGLE}}};
  std::string text;
  for (const auto& [name, values] : fields) {
    if (values.first == values.second) continue;
    text += fmt::format("{}{} {} -> {}", text.empty() ? "" : ", ", name, value(values.first), value(values.second));
  }
  return text;
}

std::string field_change(Field field, const Item& b, const Item& a) {
  switch (field) {
    case Field::Count:
      return fmt::format("count {} -> {}", value(b.count), value(a.count));
    case Field::Type:
      return fmt::format("type {} -> {}", b.shape ? b.shape->ITYPE : 0, a.shape ? a.shape->ITYPE : 0);
    case Field::Hooks:
      return fmt::format("hooks {} -> {}", hooks(b), hooks(a));
    case Field::Dimensions:
      return dimensions(b, a);
    case Field::Length:
      return fmt::format("length {} -> {} mm", value(b.length_mm), value(a.length_mm));
    case Field::LumpWeight:
      break;
  }
  return fmt::format("weight {} -> {} kg", value(b.lump_weight_kg), value(a.lump_weight_kg));
}

// An added or removed card: "count 6, length 3200 mm", "count 4, weight 12.5 kg".
std::string card_figures(const Item& item) {
  if (item.kind == cards::CardKind::LumpWeight) {
    return fmt::format("count {}, weight {} kg", value(item.count), value(item.lump_weight_kg));
  }
  return fmt::format("count {}, length {} mm", value(item.count), value(item.length_mm));
}

std::string kind_suffix(cards::CardKind kind) {
  if (kind == cards::CardKind::Bar) return {};
  return fmt::format(" ({})", exports::card_name(kind));
}

}  // namespace

void Writer::comparison(const Comparison& c) {
  if (c.differs) {
    line(0, "--- " + decks_.before, kBold);
    line(0, "+++ " + decks_.after, kBold);
    if (decks_.before_empty) note(0, decks_.before + " holds no card");
    if (decks_.after_empty) note(0, decks_.after + " holds no card");
  }
  reading_end(decks_.before, *c.before);
  reading_end(decks_.after, *c.after);
  for (const ErrorChange& e : c.errors) error(e, 0);
  for (const ProblemChange& p : c.problems) {
    if (p.status != Status::Same) problem(p);
  }
}

void Writer::reading_end(const std::string& deck, const exports::RunRecord& run) {
  if (const exports::ErrorRecord* end = compare::reading_end(run)) {
    note(0, fmt::format("{}:{}: error {} ended the reading there: the comparison covers what was read", deck, end->line,
                        events::number(end->error)));
  }
}

void Writer::problem(const ProblemChange& p) {
  problem_at_ = p.after ? p.after->line : 0;
  tell(p.status, problem_at_, 0, p.status == Status::Added);
  const std::string name = "problem " + (p.after ? p.after : p.before)->number + occurrence(p.repeated, p.occurrence);
  if (p.status == Status::Changed) {
    line(0,
         fmt::format("{}: {} -> {}: {}", name, weight_and_cost(p.before_totals), weight_and_cost(p.after_totals),
                     difference(p.before_totals, p.after_totals)),
         kBold);
  } else {
    const Totals& t = p.status == Status::Added ? p.after_totals : p.before_totals;
    line(0, fmt::format("{}{}: {}", sign(p.status), name, weight_and_cost(t)), colour_of(p.status));
  }
  if (p.repeated) note(2, "the problem number is used more than once; problems of one number are matched in order");
  if (p.status == Status::Changed && (p.errors_before > 0 || p.errors_after > 0)) {
    note(2, fmt::format("deck errors in the problem: {} before, {} after; it is compared as read", p.errors_before,
                        p.errors_after));
  }
  for (const UnitChange& u : p.units) {
    if (u.status != Status::Same) unit(u);
  }
  for (const ErrorChange& e : p.errors) error(e, 2);
}

void Writer::unit(const UnitChange& u) {
  const exports::Unit& shown = u.after ? *u.after : *u.before;
  const std::string name = "unit " + shown.name + occurrence(u.repeated, u.occurrence);
  unit_at_ = u.after && u.after->line != 0 ? u.after->line : problem_at_;
  tell(u.status, unit_at_, problem_at_, u.status == Status::Added);
  if (u.unclosed) {
    line(2, fmt::format("{}cards that no unit line took up", sign(u.status)), colour_of(u.status));
  } else if (u.status == Status::Changed) {
    line(2, name + ": " + unit_differences(u.before->figures, u.after->figures), kBold);
  } else {
    line(2, fmt::format("{}{}: {}", sign(u.status), name, unit_figures(shown.figures)), colour_of(u.status));
  }
  if (u.repeated) note(4, "the unit name is used more than once in the problem; its units are matched in order");
  if (u.same_bars_as != nullptr) {
    note(4, fmt::format("the same bars as the {} unit {}: renamed?", u.status == Status::Added ? "removed" : "added",
                        u.same_bars_as->name));
  }
  std::set<std::string> repeated_said;
  for (const ItemChange& change : u.bars) item(change, false, repeated_said);
  for (const ItemChange& change : u.lump_weights) item(change, true, repeated_said);
}

void Writer::item(const ItemChange& change, bool lump, std::set<std::string>& repeated_said) {
  const Item& shown = change.after ? *change.after : *change.before;
  tell(change.status, change.after ? change.after->line : 0, unit_at_, true);
  std::string label = lump ? fmt::format("lump weight {}", change.occurrence)
                           : events::bar_label(shown.size, shown.mark) + kind_suffix(shown.kind) +
                                 occurrence(change.repeated, change.occurrence);
  if (!lump && change.repeated) {
    const std::string bar = events::bar_label(shown.size, shown.mark) + kind_suffix(shown.kind);
    if (repeated_said.insert(bar).second) note(4, bar + " is on more than one card of the unit; matched in order");
  }
  if (change.status != Status::Changed) {
    line(4, fmt::format("{}{}  {}", sign(change.status), label, card_figures(shown)), colour_of(change.status));
    return;
  }
  std::string text;
  for (Field field : change.changes) {
    text += (text.empty() ? "" : ", ") + field_change(field, *change.before, *change.after);
  }
  line(4, fmt::format("~ {}  {}", label, text));
}

void Writer::error(const ErrorChange& e, int indent) {
  const exports::ErrorRecord& r = *e.error;
  const std::string& deck = e.status == Status::Added ? decks_.after : decks_.before;
  tell(e.status, e.status == Status::Added ? r.line : 0, problem_at_, true);
  const std::string number =
      r.error == events::DeckError::PrematureEnd ? std::string() : fmt::format("error {} ", events::number(r.error));
  line(indent, fmt::format("{}{}{} at {}:{}", sign(e.status), number, events::message(r.error), deck, r.line),
       colour_of(e.status));
  if (!r.card.empty()) line(indent + 4, r.card);
}

void write_text(std::ostream& out, const Comparison& comparison, const Decks& decks, bool color) {
  Writer(out, decks, color).comparison(comparison);
}

std::vector<TextLine> text_lines(const Comparison& comparison, const Decks& decks) {
  std::vector<TextLine> lines;
  Writer(lines, decks).comparison(comparison);
  return lines;
}

}  // namespace barlist::compare
