// Overwrite typing, as on a card punch: the Insert key toggles it. Nothing
// then shifts the rest of a card: a typed character replaces the one under
// the cursor, Backspace moves back and blanks, Delete blanks, a paste
// overwrites the cards from the cursor on and stops at column 80.
import { StateEffect, StateField } from '@codemirror/state';
import { EditorView, keymap } from '@codemirror/view';
import { overwriteChanges } from './overwrite_paste.js';

const toggle = StateEffect.define();

export const overwriteMode = StateField.define({
  create: () => false,
  update(on, transaction) {
    for (const effect of transaction.effects) if (effect.is(toggle)) on = !on;
    return on;
  },
  provide: (field) =>
    EditorView.editorAttributes.from(field, (on) => ({ class: on ? 'cm-overwrite' : 'cm-insert' })),
});

export function toggleOverwrite(view) {
  view.dispatch({ effects: toggle.of(null) });
  return true;
}

const typeOver = EditorView.inputHandler.of((view, from, to, text) => {
  if (!view.state.field(overwriteMode) || from !== to || text.includes('\n')) return false;
  const line = view.state.doc.lineAt(from);
  const end = Math.min(line.to, from + text.length);
  view.dispatch({
    changes: { from, to: end, insert: text },
    selection: { anchor: from + text.length },
    userEvent: 'input.type',
  });
  return true;
});

// Blanks from `from` to `to`, each character one blank, the line ends kept.
function blanks(doc, from, to) {
  const changes = [];
  for (let at = from; at < to; ) {
    const line = doc.lineAt(at);
    const end = Math.min(line.to, to);
    changes.push({ from: at, to: end, insert: ' '.repeat([...doc.sliceString(at, end)].length) });
    at = line.to + 1;
  }
  return changes;
}

function blank(backward) {
  return (view) => {
    const { state } = view;
    if (!state.field(overwriteMode)) return false;
    const range = state.selection.main;
    const userEvent = backward ? 'delete.backward' : 'delete.forward';
    if (!range.empty) {
      view.dispatch({ changes: blanks(state.doc, range.from, range.to), selection: { anchor: range.from }, userEvent });
      return true;
    }
    const line = state.doc.lineAt(range.head);
    const offset = range.head - line.from;
    if (!backward) {
      const width = range.head < line.to ? String.fromCodePoint(line.text.codePointAt(offset)).length : 0;
      if (width) view.dispatch({ changes: blanks(state.doc, range.head, range.head + width), userEvent });
      return true;
    }
    if (offset === 0) {
      if (line.number > 1) view.dispatch({ selection: { anchor: line.from - state.lineBreak.length } });
      return true;
    }
    const from = range.head - [...line.text.slice(0, offset)].pop().length;
    view.dispatch({ changes: blanks(state.doc, from, range.head), selection: { anchor: from }, userEvent });
    return true;
  };
}

const pasteOver = EditorView.domEventHandlers({
  paste(event, view) {
    const text = event.clipboardData && event.clipboardData.getData('text/plain');
    if (!view.state.field(overwriteMode) || !text) return false;
    event.preventDefault();
    view.dispatch({ ...overwriteChanges(view.state, text), scrollIntoView: true, userEvent: 'input.paste' });
    return true;
  },
});

export const overwrite = [
  overwriteMode,
  typeOver,
  pasteOver,
  keymap.of([
    { key: 'Insert', run: toggleOverwrite },
    { key: 'Backspace', run: blank(true) },
    { key: 'Delete', run: blank(false) },
  ]),
];
