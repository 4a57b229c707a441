// The engine's findings as the protocol's diagnostics: the text barlist
// prints ("error 5: ILLEGAL BAR SIZE ..."), at the byte column of the card
// turned into the editor's position, its notes as related information.
import { DiagnosticSeverity } from 'vscode-languageserver';

const SEVERITIES = {
  error: DiagnosticSeverity.Error,
  fatal: DiagnosticSeverity.Error,
  warning: DiagnosticSeverity.Warning,
  note: DiagnosticSeverity.Information,
};

// A column of a card as a range one character wide; column 0 is the whole
// card, and a column past the end of a short card is its end.
export function rangeOf(document, lines, line, column) {
  const [start, end] = lines.bounds(line);
  if (!column) return { start: document.positionAt(start), end: document.positionAt(end) };
  const at = lines.offsetOf(line, column);
  return { start: document.positionAt(at), end: document.positionAt(at < end ? lines.after(at) : at) };
}

export function diagnosticsOf(document, lines, result) {
  return result.diagnostics.map((d) => ({
    range: rangeOf(document, lines, d.line, d.column),
    severity: SEVERITIES[d.severity] ?? DiagnosticSeverity.Error,
    source: 'barlist',
    message: `${d.kind}: ${d.message}`,
    relatedInformation: d.notes.map((note) => ({
      location: { uri: document.uri, range: rangeOf(document, lines, note.line, note.column) },
      message: `${note.kind}: ${note.message}`,
    })),
  }));
}
