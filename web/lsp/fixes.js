// The engine's fixes as edits of the editor's text: one fix as a quick fix,
// the safe ones of the whole deck ("fix all"), and those that keep every
// value barlist reads (formatting). A fix names a card, its first and last
// byte columns and their new text; a card shorter than the fix is padded
// with blanks, as a card punched short reads blank to column 80.
import { DeckLines } from './positions.js';

// A fix is applied, the deck checked again and the next fixes taken, until
// no fix is left or this many rounds have run.
const MAX_ROUNDS = 20;

function byteLength(lines, line) {
  return lines.cardAt(lines.bounds(line)[1]).column - 1;
}

// [startOffset, endOffset, newText] of a fix; null for a fix that names no
// card of this text or would split a card.
export function spliceOf(lines, fix) {
  if (fix.line < 1 || fix.line > lines.count || fix.first_column < 1 || fix.last_column < fix.first_column - 1) {
    return null;
  }
  if (/[\r\n]/.test(fix.text)) return null;
  const padding = Math.max(0, fix.first_column - 1 - byteLength(lines, fix.line));
  const start = lines.offsetOf(fix.line, fix.first_column);
  const end = lines.offsetOf(fix.line, fix.last_column + 1);
  return [start, end, ' '.repeat(padding) + fix.text];
}

export function textEditOf(document, lines, fix) {
  const splice = spliceOf(lines, fix);
  if (!splice) return null;
  const [start, end, newText] = splice;
  return { range: { start: document.positionAt(start), end: document.positionAt(end) }, newText };
}

function columnsOf(fix) {
  return fix.first_column === fix.last_column
    ? `column ${fix.first_column}`
    : `columns ${fix.first_column}-${fix.last_column}`;
}

// Each fix of the findings on the lines asked about, as a quick fix.
export function quickFixes(document, lines, result, diagnostics, range) {
  const actions = [];
  result.diagnostics.forEach((finding, index) => {
    const diagnostic = diagnostics[index];
    if (diagnostic.range.end.line < range.start.line || diagnostic.range.start.line > range.end.line) return;
    for (const fix of finding.fixes) {
      const edit = textEditOf(document, lines, fix);
      if (!edit) continue;
      actions.push({
        title: `Write "${fix.text}" in ${columnsOf(fix)}`,
        kind: 'quickfix',
        diagnostics: [diagnostic],
        isPreferred: fix.safe,
        edit: { changes: { [document.uri]: [edit] } },
      });
    }
  });
  return actions;
}

// Fixes that do not overlap, in deck order; an overlapping one waits for the
// next round, when the engine says again what is left to mend.
function apart(fixes, lines) {
  const sorted = [...fixes].sort((a, b) => a.line - b.line || a.first_column - b.first_column);
  const chosen = [];
  for (const fix of sorted) {
    const last = chosen[chosen.length - 1];
    // A second fix past the end of a short card waits too: its padding
    // counts from the card's end as the first fix leaves it.
    const beyond = fix.first_column > byteLength(lines, fix.line);
    if (last && last.fix.line === fix.line && (fix.first_column <= last.fix.last_column || beyond)) continue;
    const splice = spliceOf(lines, fix);
    if (splice) chosen.push({ fix, splice });
  }
  return chosen.map((entry) => entry.splice);
}

// The text with every fix that `wanted` takes applied, as barlist's own fix
// run makes it: `check(text)` is the engine's check of a text.
export async function fixedText(text, check, wanted) {
  for (let round = 0; round < MAX_ROUNDS; ++round) {
    const result = await check(text);
    if (!result) break;
    const lines = new DeckLines(text);
    const splices = apart(result.diagnostics.flatMap((d) => d.fixes).filter(wanted), lines);
    let next = text;
    for (const [start, end, newText] of splices.reverse()) next = next.slice(0, start) + newText + next.slice(end);
    if (next === text) break;
    text = next;
  }
  return text;
}

// The cards that differ between two texts of as many cards, as edits.
export function editsBetween(document, before, after) {
  const old = new DeckLines(before);
  const fixed = new DeckLines(after);
  if (old.count !== fixed.count) {
    return [{ range: { start: document.positionAt(0), end: document.positionAt(before.length) }, newText: after }];
  }
  const edits = [];
  for (let line = 1; line <= old.count; ++line) {
    const newText = fixed.lineText(line);
    if (old.lineText(line) === newText) continue;
    const [start, end] = old.bounds(line);
    edits.push({ range: { start: document.positionAt(start), end: document.positionAt(end) }, newText });
  }
  return edits;
}
