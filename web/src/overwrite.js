// Overwrite typing, as on a card punch: the Insert key toggles it; a typed
// character then replaces the one under the cursor instead of pushing the
// rest of the card to the right.
import { StateEffect, StateField } from '@codemirror/state';
import { EditorView, keymap } from '@codemirror/view';

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

export const overwrite = [overwriteMode, typeOver, keymap.of([{ key: 'Insert', run: toggleOverwrite }])];
