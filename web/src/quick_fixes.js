// The engine's fixes as edits of the editor's text: a fix puts its text in
// columns first_column to last_column of its line (bytes, as the card counts
// them). Which fix mends what is the engine's; this only places the text.
// Each fix is one undoable change.
import { byteColumn, offsetOfColumn } from './columns.js';

// The change that makes one fix, a short line padded with blanks to reach
// it; blanks the fix leaves at the end of the line go, as barlist --fix
// drops them. None when the text is there already.
export function fixChange(doc, fix) {
  if (fix.line < 1 || fix.line > doc.lines) return null;
  const line = doc.line(fix.line);
  const from = offsetOfColumn(line.text, fix.first_column);
  const to = offsetOfColumn(line.text, fix.last_column + 1);
  let insert = ' '.repeat(Math.max(0, fix.first_column - byteColumn(line.text, from))) + fix.text;
  if (to >= line.text.length) insert = insert.replace(/ +$/, '');
  if (line.text.slice(from, to) === insert) return null;
  return { from: line.from + from, to: line.from + to, insert };
}

// The changes of several fixes at once: of two on the same columns the first
// in the card wins; the other is looked at again after the next check.
export function fixesChanges(doc, fixes) {
  const sorted = [...fixes].sort((a, b) => a.line - b.line || a.first_column - b.first_column);
  const changes = [];
  let line = 0;
  let lastColumn = 0;
  for (const fix of sorted) {
    if (fix.line === line && fix.first_column <= lastColumn) continue;
    const change = fixChange(doc, fix);
    if (!change) continue;
    changes.push(change);
    line = fix.line;
    lastColumn = fix.last_column;
  }
  return changes;
}

export function applyFixes(view, fixes) {
  const changes = fixesChanges(view.state.doc, fixes);
  if (changes.length) view.dispatch({ changes, userEvent: 'input.fix' });
  return changes.length;
}

// "columns 13-16 become '  12'" for a button's title.
export function fixTitle(fix) {
  const columns =
    fix.first_column === fix.last_column ? `column ${fix.first_column}` : `columns ${fix.first_column}-${fix.last_column}`;
  return `${columns} become "${fix.text}"${fix.safe ? '' : ' (check it: not sure)'}`;
}
