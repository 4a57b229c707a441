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

// A field holding a comma, quote, CR or LF is quoted, its quotes doubled.
std::string field(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

class Row {
 public:
  void text(std::string_view value) { cells_.push_back(field(value)); }
  void number(float value) { cells_.push_back(shortest_text(value)); }
  void integer(long long value) { cells_.push_back(std::to_string(value)); }
  void empty(int count = 1) { cells_.insert(cells_.end(), count, std::string()); }

  void write(std::ostream& out) const {
    for (std::size_t i = 0; i < cells_.size(); ++i) out << (i == 0 ? "" : ",") << cells_[i];
    out << "\r\n";
  }

 private:
  std::vector<std::string> cells_;
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
