// A paste in overwrite mode: each pasted line overwrites a card, the first
// from the cursor, the next ones from column 1 of the cards after it (new
// cards at the end of the deck), and no pasted character goes past column 80.
import { byteColumn, columnBytes, offsetOfColumn } from './columns.js';

const CARD_COLUMNS = 80;

// The head of `piece` that fits from `column` to column 80.
function fitting(piece, column) {
  let kept = '';
  let next = column;
  for (const char of piece) {
    next += columnBytes(char);
    if (next - 1 > CARD_COLUMNS) break;
    kept += char;
  }
  return kept;
}

// {changes, selection} for pasting `text` over the deck of `state`.
export function overwriteChanges(state, text) {
  const { doc, lineBreak } = state;
  const head = state.selection.main.from;
  let line = doc.lineAt(head);
  let column = byteColumn(line.text, head - line.from);
  const changes = [];
  let shift = 0; // how far the changes so far moved what follows them
  let cursor = head;
  text.split(/\r\n|\r|\n/).forEach((piece, index) => {
    if (index > 0 && line.number === doc.lines) {
      const insert = lineBreak + fitting(piece, 1);
      changes.push({ from: doc.length, insert });
      shift += insert.length;
      cursor = doc.length + shift;
      return;
    }
    if (index > 0) {
      line = doc.line(line.number + 1);
      column = 1;
    }
    const kept = fitting(piece, column);
    const blanks = ' '.repeat(Math.max(0, column - byteColumn(line.text, line.length)));
    const from = line.from + offsetOfColumn(line.text, column);
    let to = from;
    for (let count = [...kept].length; count > 0 && to < line.to; count--) {
      to += String.fromCodePoint(line.text.codePointAt(to - line.from)).length;
    }
    changes.push({ from, to, insert: blanks + kept });
    cursor = from + shift + blanks.length + kept.length;
    shift += blanks.length + kept.length - (to - from);
  });
  return { changes, selection: { anchor: cursor } };
}
