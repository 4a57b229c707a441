// The diagnostics the page lists, from the JSON record of a run: its errors
// and warnings with their line, column and notes. The text of each is the
// line barlist wrote on standard error for it, so both read the same; a
// fatal stop, which leaves no record, is its standard error message.

// "DECK:LINE:COLUMN: text" lines of standard error, by "LINE:COLUMN".
function stderrMessages(stderr, name) {
  const messages = new Map();
  for (const line of stderr.split('\n')) {
    if (!line.startsWith(name + ':')) continue;
    const match = /^(\d+):(?:(\d+):)? (.*)$/.exec(line.slice(name.length + 1));
    if (!match) continue;
    const key = `${match[1]}:${match[2] || ''}`;
    if (!messages.has(key)) messages.set(key, []);
    messages.get(key).push(match[3]);
  }
  return messages;
}

function pick(messages, line, column, prefix, fallback) {
  const list = messages.get(`${line}:${column || ''}`) || [];
  const at = list.findIndex((text) => text.startsWith(prefix));
  return at >= 0 ? list.splice(at, 1)[0] : fallback;
}

export function diagnosticsOf({ record, stderr, status, name }) {
  if (!record) {
    if (status === 0) return [];
    const message = stderr.trim().split('\n')[0] || 'barlist stopped';
    const line = /^barlist: [^:]*:(\d+):/.exec(message);
    return [{ severity: 'fatal', line: line ? Number(line[1]) : 1, column: 1, message, notes: [] }];
  }
  const messages = stderrMessages(stderr, name);
  const list = [];
  for (const error of record.errors || []) {
    const fallback = `error ${error.error}: ${error.message}`;
    const prefix = error.column ? `error ${error.error}:` : 'error:';
    list.push({
      severity: 'error',
      line: error.line,
      column: error.column || 1,
      message: pick(messages, error.line, error.column, prefix, fallback),
      notes: error.notes || [],
    });
  }
  for (const warning of record.warnings || []) {
    list.push({
      severity: 'warning',
      line: warning.line,
      column: warning.column || 1,
      message: pick(messages, warning.line, warning.column, 'warning:', `warning: ${warning.message}`),
      notes: warning.notes || [],
    });
  }
  return list.sort((a, b) => a.line - b.line || a.column - b.column);
}
