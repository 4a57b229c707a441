// What the page shows from a run's JSON record, taken out where the run is
// (in the worker) so that only these small parts travel to the page: the
// length and weight of each bar-level card, and each problem's weight by bar
// size with its grand total.

// [{line, length, weight}] from the items of every problem.
export function hintsOf(record) {
  const hints = [];
  const add = (item) => {
    if (item.length !== undefined && item.weight !== undefined) {
      hints.push({ line: item.line, length: item.length, weight: item.weight });
    }
  };
  for (const problem of (record && record.problems) || []) {
    for (const unit of problem.units) unit.items.forEach(add);
    problem.unclosed_items.forEach(add);
  }
  return hints;
}

// [{number, title, by_size, total}]
export function weightsOf(record) {
  return ((record && record.problems) || []).map(({ number, title, by_size, total }) => ({
    number,
    title,
    by_size,
    total,
  }));
}
