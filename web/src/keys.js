// Keys that keep a card's columns: Enter starts the next card at column 1,
// Tab and Shift+Tab go to the next and previous field of the card's kind (as
// the engine lists its fields), padding the card with blanks to reach it;
// past the last field, Tab goes to column 1 of the next card.
import { Prec } from '@codemirror/state';
import { keymap } from '@codemirror/view';
import { byteColumn, offsetOfColumn } from './columns.js';
import { fieldStops, nextStop, previousStop, stopFields } from './field_stops.js';
import { overwriteMode } from './overwrite.js';

const lineBytes = (text) => byteColumn(text, text.length) - 1;

function spansOf(engine, line) {
  return engine.cardFields(line.text.charAt(0) || ' ');
}

// The cursor at `column` of `line`, the line padded with blanks to reach it.
function toColumn(line, column) {
  const length = lineBytes(line.text);
  if (column - 1 <= length) return { selection: { anchor: line.from + offsetOfColumn(line.text, column) } };
  const blanks = ' '.repeat(column - 1 - length);
  return { changes: { from: line.to, insert: blanks }, selection: { anchor: line.to + blanks.length } };
}

// The cursor at column 1 of the card after `line`, a new card at the end.
function toNextCard(state, line) {
  if (line.number < state.doc.lines) return { selection: { anchor: state.doc.line(line.number + 1).from } };
  return { changes: { from: line.to, insert: state.lineBreak }, selection: { anchor: line.to + state.lineBreak.length } };
}

function move(view, transaction) {
  view.dispatch({ ...transaction, scrollIntoView: true, userEvent: transaction.changes ? 'input.punch' : 'select' });
  return true;
}

function cursorAt(state) {
  const head = state.selection.main.head;
  const line = state.doc.lineAt(head);
  return { line, column: byteColumn(line.text, head - line.from) };
}

// `leaveField(view, lineNumber, field)`, when given, is called as Tab leaves
// a field ({name, first, last}), before the cursor moves.
function nextField(getEngine, leaveField) {
  return (view) => {
    const engine = getEngine();
    if (!engine) return true;
    const { line, column } = cursorAt(view.state);
    const spans = spansOf(engine, line);
    const left = stopFields(spans).find((field) => column >= field.first && column <= field.last);
    if (left && leaveField) leaveField(view, line.number, left);
    const { state } = view;
    const now = state.doc.line(line.number);
    const stop = nextStop(fieldStops(spans), column);
    return move(view, stop === null ? toNextCard(state, now) : toColumn(now, stop));
  };
}

function previousField(getEngine) {
  return (view) => {
    const engine = getEngine();
    if (!engine) return true;
    const { state } = view;
    const { line, column } = cursorAt(state);
    const stop = previousStop(fieldStops(spansOf(engine, line)), column);
    if (stop !== null) return move(view, toColumn(line, stop));
    if (line.number === 1) return true;
    const before = state.doc.line(line.number - 1);
    const stops = fieldStops(spansOf(engine, before));
    return move(view, toColumn(before, stops.length ? stops[stops.length - 1] : 1));
  };
}

// Enter: a new card at column 1, no blanks carried over. In overwrite mode
// the card is not split: the cursor goes to the next card.
function newCard(view) {
  const { state } = view;
  if (state.field(overwriteMode)) return move(view, toNextCard(state, state.doc.lineAt(state.selection.main.head)));
  view.dispatch(state.replaceSelection(state.lineBreak), { scrollIntoView: true, userEvent: 'input' });
  return true;
}

// Escape then Tab leaves the editor: CodeMirror then passes the Tab to the page.
export function punchKeys(getEngine, { leaveField } = {}) {
  return Prec.high(
    keymap.of([
      { key: 'Enter', run: newCard },
      { key: 'Tab', run: nextField(getEngine, leaveField), shift: previousField(getEngine) },
    ]),
  );
}
