// The diagnostics the page lists, each as standard error shows it: "kind:
// message" at its line and column (0: the whole line), its notes under it.
// A run that ends normally gives them in its JSON record, in deck order; a
// fatal stop writes no record, so its diagnostics are read back from standard
// error, where every one has the GNU form "DECK:LINE:COLUMN: kind: message".

function entry(d) {
  return { severity: d.severity, line: d.line, column: d.column, message: `${d.kind}: ${d.message}` };
}

function fromRecord(record) {
  return record.diagnostics.map((d) => ({ ...entry(d), notes: d.notes.map(entry) }));
}

// "12:20: fatal error: input conversion error: ..." (the deck's name cut off).
const GNU_LINE = /^(\d+):(?:(\d+):)? ((fatal error|error|warning|note)(?: \d+)?): (.*)$/;

function fromStandardError(stderr, name) {
  const list = [];
  for (const line of stderr.split('\n')) {
    if (!line.startsWith(`${name}:`)) continue;
    const match = GNU_LINE.exec(line.slice(name.length + 1));
    if (!match) continue;
    const [, row, column, kind, word, message] = match;
    const d = { severity: word === 'fatal error' ? 'fatal' : word, line: Number(row), column: Number(column || 0) };
    d.message = `${kind}: ${message}`;
    if (word === 'note') {
      if (list.length) list[list.length - 1].notes.push(d);
    } else {
      list.push({ ...d, notes: [] });
    }
  }
  return list;
}

// {diagnostics, summary} of a run: {severity ("error", "warning" or
// "fatal"), line, column, message, notes: [{severity: "note", line, column,
// message}]}, and the closing line of standard error without the deck name.
export function diagnosticsOf({ record, stderr, status, name }) {
  if (record) return { diagnostics: fromRecord(record), summary: record.summary };
  if (status === 0) return { diagnostics: [], summary: '' };
  const diagnostics = fromStandardError(stderr, name);
  const fatal = diagnostics.find((d) => d.severity === 'fatal');
  if (fatal) return { diagnostics, summary: `the run stops at line ${fatal.line}` };
  // A stop that names no card ("barlist: FILE: reason") is shown at line 1.
  const message = stderr.trim().split('\n')[0] || 'barlist stopped';
  diagnostics.push({ severity: 'fatal', line: 1, column: 0, message, notes: [] });
  return { diagnostics, summary: 'the run stopped' };
}
