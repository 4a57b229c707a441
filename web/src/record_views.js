// The result that window.barlist.run() documents, from a check's answer:
// {status, diagnostics, summary, hints, problems, files: {quantities,
// barTable, json, csv}} and the files as text, each decoded when first read
// (and the hints, as `packedHints` too when the answer packed them).
// `problems` are each problem's weights as the engine words them (null when
// not asked for, or after a fatal stop). A diagnostic's message reads as on
// standard error ("error 5: ...").
import { unpackHints } from './engine.js';

const utf8 = new TextDecoder('utf-8');

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
    hints: null, // below
    problems: answer.weights === undefined ? null : answer.weights,
    files,
  };
  // Packed hints are opened only when read: the page lays out those in sight from the packed form.
  const packed = answer.hints.numbers ? answer.hints : null;
  let hints = packed ? null : answer.hints;
  Object.defineProperty(result, 'hints', { enumerable: true, get: () => (hints ??= unpackHints(packed)) });
  Object.defineProperty(result, 'packedHints', { value: packed });
  for (const key of Object.keys(files)) {
    let text;
    Object.defineProperty(result, key, {
      enumerable: true,
      get: () => (text ??= files[key] ? utf8.decode(files[key]) : ''),
    });
  }
  return result;
}
