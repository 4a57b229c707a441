// What the page shows of a check, made where the check runs (in the worker)
// so that only these small parts travel to the page with the products.
const utf8 = new TextDecoder('utf-8');

// [{number, title, by_size, total}], each problem's weight by bar size as the
// JSON record gives it; null when the run made no record.
export function weightsOf(jsonBytes) {
  if (!jsonBytes) return null;
  return JSON.parse(utf8.decode(jsonBytes)).problems.map(({ number, title, by_size, total }) => ({
    number,
    title,
    by_size,
    total,
  }));
}

// The result that window.barlist.run() documents, from a check's answer:
// {status, diagnostics, summary, hints, problems, files: {quantities,
// barTable, json, csv}} and the files as text, each decoded when first read.
// A diagnostic's message reads as on standard error ("error 5: ...").
export function runResult(answer) {
  const line = (d) => ({ severity: d.severity, line: d.line, column: d.column, message: `${d.kind}: ${d.message}` });
  const files = {
    quantities: answer.quantities || null,
    barTable: answer.bar_table || null,
    json: answer.json || null,
    csv: answer.csv || null,
  };
  const result = {
    status: answer.status,
    diagnostics: answer.diagnostics.map((d) => ({ ...line(d), notes: d.notes.map(line), fixes: d.fixes })),
    summary: answer.summary,
    hints: answer.hints,
    problems: answer.problems === undefined ? null : answer.problems,
    files,
  };
  for (const key of Object.keys(files)) {
    let text;
    Object.defineProperty(result, key, {
      enumerable: true,
      get: () => (text ??= files[key] ? utf8.decode(files[key]) : ''),
    });
  }
  return result;
}
