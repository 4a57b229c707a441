// The engine's check as the server reads it, made today from the page's
// wrapper: its full run, whose diagnostics say "kind: message" in one text
// and whose hints name no units. The server asks only `check`, `fieldAt`
// and `cardFields` of what this returns.
import { loadEngine } from '../src/engine.js';

const utf8 = new TextDecoder('utf-8');

function split(entry) {
  const colon = entry.message.indexOf(': ');
  const kind = colon > 0 ? entry.message.slice(0, colon) : entry.severity;
  const message = colon > 0 ? entry.message.slice(colon + 2) : entry.message;
  return { severity: entry.severity, line: entry.line, column: entry.column, kind, message };
}

export async function loadCheckingEngine(createEngine) {
  const engine = await loadEngine(createEngine);
  return {
    version: engine.version,
    check(deckBytes, options = {}) {
      const result = engine.run(deckBytes, { name: options.name || 'deck.deck' });
      return {
        status: result.status,
        diagnostics: result.diagnostics.map((d) => ({
          ...split(d),
          card: '',
          notes: d.notes.map((note) => ({ ...split(note), severity: 'note' })),
          fixes: [],
        })),
        summary: result.summary,
        hints: result.hints.map((h) => ({ line: h.line, length_mm: h.length, weight_kg: h.weight })),
      };
    },
    fieldAt: (lineBytes, column) => engine.fieldAt(utf8.decode(lineBytes), column),
    cardFields: (column1) => engine.cardFields(column1),
  };
}
