// The server on an engine whose findings carry fixes, for the tests of quick
// fixes, "fix all" and formatting. On a card "F": a number at the left of
// columns 2-5 has a safe fix that keeps its value (right-justified); "yy" in
// columns 6-7 has two safe fixes that overlap ("ab" in 6-7, "cd" in 7-8);
// "G" alone has a safe fix past its end ("ZZ" in 10-11) and an unsafe one.
import { serve } from '../../web/lsp/server.js';

const utf8 = new TextDecoder();
const finding = (line, column, fixes) => ({
  severity: 'warning', line, column, kind: 'warning', message: `slip at ${column}`, card: '', notes: [], fixes,
});

function check(bytes) {
  const diagnostics = [];
  utf8.decode(bytes).split('\n').forEach((card, index) => {
    const line = index + 1;
    const bytesOf = new TextEncoder().encode(card);
    const column = (text) => utf8.decode(bytesOf.slice(1, 5)) === text;
    const field = utf8.decode(bytesOf.slice(1, 5));
    if (card.startsWith('F') && /^\d+ +$/.test(field) && !column(field.trim().padStart(4))) {
      const text = field.trim().padStart(4);
      diagnostics.push(finding(line, 2, [{ line, first_column: 2, last_column: 5, text, safe: true, keeps_values: true }]));
    }
    if (card.startsWith('F') && utf8.decode(bytesOf.slice(5, 7)) === 'yy') {
      diagnostics.push(finding(line, 6, [{ line, first_column: 6, last_column: 7, text: 'ab', safe: true }]));
      diagnostics.push(finding(line, 7, [{ line, first_column: 7, last_column: 8, text: 'cd', safe: true }]));
    }
    if (card === 'G') {
      diagnostics.push(finding(line, 10, [
        { line, first_column: 10, last_column: 11, text: 'ZZ', safe: true },
        { line, first_column: 1, last_column: 1, text: 'H', safe: false },
      ]));
    }
  });
  return { status: diagnostics.length ? 1 : 0, diagnostics, summary: '', hints: [] };
}

const engine = { version: 'fake', check, fieldAt: () => null, cardFields: () => [] };
serve(null, { load: async () => engine });
