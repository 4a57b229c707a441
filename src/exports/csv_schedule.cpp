#include "exports/csv_schedule.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "exports/float_text.h"
#include "exports/texts.h"

namespace barlist::exports {
namespace {

constexpr std::string_view kHeader =
    "problem,unit,line,card,size,mark,count,type,hook_a,hook_g,a,b,c,d,e,f,t1,t2,n1,angle,length_mm,weight_kg,"
    "units";

// A row written as its cells are given, a comma before each but the first.
class Row {
 public:
  // A field holding a comma, quote, CR or LF is quoted, its quotes doubled.
  void text(std::string_view value) {
    next();
    if (value.find_first_of(",\"\r\n") == std::string_view::npos) {
      line_ += value;
      return;
    }
    line_ += '"';
    for (const char c : value) {
      if (c == '"') line_ += '"';
      line_ += c;
    }
    line_ += '"';
  }
  void number(float value) {
    next();
    line_ += shortest_text(value);
  }
  void integer(long long value) {
    next();
    line_ += std::to_string(value);
  }
  void empty(int count = 1) {
    for (int i = 0; i < count; ++i) next();
  }

  void write(std::ostream& out) {
    line_ += "\r\n";
    out.write(line_.data(), static_cast<std::streamsize>(line_.size()));
  }

 private:
  void next() {
    if (cells_++ > 0) line_ += ',';
  }

  std::string line_;
  int cells_ = 0;
};

constexpr int kShapeCells = 13;  // type, hook_a, hook_g, a to f, t1, t2, n1, angle

void shape_cells(Row& row, const geometry::BarShape& shape) {
  row.integer(shape.ITYPE);
  row.integer(shape.IA);
  row.integer(shape.IG);
  for (const float value :
       {shape.A, shape.B, shape.C, shape.D, shape.E, shape.F, shape.T1, shape.T2, shape.N1, shape.ANGLE}) {
    row.number(value);
  }
}

// A problem's bar marks by their place in its bar table, each with the unit
// it went to (none for an item no unit line took up).
struct Placed {
  const Item* item = nullptr;
  const Unit* unit = nullptr;
};

std::vector<Placed> bar_marks_of(const Problem& problem) {
  std::vector<Placed> marks;
  const auto place = [&marks](const Item& item, const Unit* unit) {
    if (item.table_entry <= 0) return;
    const auto at = static_cast<std::size_t>(item.table_entry);
    if (marks.size() < at) marks.resize(at);
    marks[at - 1] = {&item, unit};
  };
  for (const Unit& unit : problem.units) {
    for (const Item& item : unit.items) place(item, &unit);
  }
  for (const Item& item : problem.unclosed_items) place(item, nullptr);
  return marks;
}

}  // namespace

void CsvSchedule::write(std::ostream& out) const {
  const RunRecord& run = record();
  out << kHeader << "\r\n";
  const Problem* problem = nullptr;
  std::vector<Placed> marks;  // the listing problem's
  for (const ListedCard& listed : run.listed_cards) {
    if (problem == nullptr || problem->index != listed.problem) {
      problem = find_problem(run, listed.problem);
      marks = problem != nullptr ? bar_marks_of(*problem) : std::vector<Placed>();
    }
    Row row;
    row.text(problem != nullptr ? problem->number : std::string());
    const auto entry = static_cast<std::size_t>(listed.table_entry);
    if (entry == 0 || entry > marks.size() || marks[entry - 1].item == nullptr) {
      // A listed card pass 1 did not weigh: kept as a row so the schedule
      // is not silently short, its figures unknown.
      row.empty();
      row.integer(static_cast<long long>(listed.line));
      row.empty(20);
      row.write(out);
      continue;
    }
    const Placed& found = marks[entry - 1];
    const Item& item = *found.item;
    row.text(item.unit_name);
    row.integer(static_cast<long long>(item.line));
    row.text(card_name(item.kind));
    row.integer(item.size);
    row.text(item.mark);
    row.number(item.count);
    if (item.shape) {
      shape_cells(row, *item.shape);
    } else {
      row.empty(kShapeCells);
    }
    row.number(item.length_mm);
    row.number(item.weight_kg);
    if (found.unit != nullptr) {
      row.number(found.unit->figures.unit_count);
    } else {
      row.empty();
    }
    row.write(out);
  }
}

}  // namespace barlist::exports
