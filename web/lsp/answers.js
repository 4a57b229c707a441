// Hover and inlay hints: what the engine reads at a column of a card, and
// the length and weight it worked out for a bar card.
import { bytesOf } from './positions.js';

function figures(hint) {
  return `${hint.length}, ${hint.weight}`;
}

// `fieldAt(bytes, column)` asks the engine; `result` is the deck's last check.
export function hoverAt(document, lines, result, position, fieldAt) {
  const { line, column } = lines.cardAt(document.offsetAt(position));
  const card = lines.lineText(line);
  const at = fieldAt(bytesOf(card), column);
  if (!at) return null;
  const parts = [`**${at.kind}**`];
  const { first, last, says, note } = at.field;
  if (note || at.value === null || at.value === undefined) parts.push(`${says}: ${note || at.reading}`);
  else parts.push(`${says}: reads \`${String(at.value).trim() || ' '}\``);
  const hint = result && result.hints.find((h) => h.line === line);
  if (hint) parts.push(figures(hint));
  const range = { start: document.positionAt(lines.offsetOf(line, first)), end: document.positionAt(lines.offsetOf(line, last + 1)) };
  return { contents: { kind: 'markdown', value: parts.join('\n\n') }, range };
}

// A hint at the end of each worked-out card in the lines asked about.
export function inlayHintsIn(document, lines, result, range) {
  if (!result) return [];
  const hints = [];
  for (const hint of result.hints) {
    if (hint.line - 1 < range.start.line || hint.line - 1 > range.end.line || hint.line > lines.count) continue;
    hints.push({ position: document.positionAt(lines.bounds(hint.line)[1]), label: figures(hint), paddingLeft: true });
  }
  return hints;
}
