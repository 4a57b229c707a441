// The deck editor: CodeMirror with line numbers, the column ruler, a guide
// after column 80, keys that keep the columns, overwrite typing, visible tabs
// and characters past ASCII, underlined diagnostics and the bar-card hints.
import { defaultKeymap, history, historyKeymap } from '@codemirror/commands';
import { highlightSelectionMatches, search, searchKeymap } from '@codemirror/search';
import { EditorState, Prec } from '@codemirror/state';
import {
  EditorView,
  ViewPlugin,
  drawSelection,
  highlightActiveLine,
  highlightActiveLineGutter,
  highlightSpecialChars,
  keymap,
  lineNumbers,
} from '@codemirror/view';
import { cardKindCompletion } from './card_kinds.js';
import { cursorKeptInView } from './cursor_in_view.js';
import { barHints } from './hints.js';
import { punchKeys } from './keys.js';
import { overwrite, overwriteMode } from './overwrite.js';
import { ruler } from './ruler.js';
import { visibleChars } from './visible_chars.js';

// A typed character goes into the text as its key's beforeinput announces
// it, through the editor's input handlers (overwrite typing), rather than
// being put in the page by the browser and read back from it: the change,
// and its check, start a millisecond or two sooner. Composition (dead keys,
// input methods), input the browser will not let go of (a touch keyboard's)
// and every other kind of input are left to the editor.
const typeAtOnce = EditorView.domEventHandlers({
  beforeinput(event, view) {
    const text = event.data;
    if (event.inputType !== 'insertText' || !event.cancelable || event.isComposing || !text || view.composing) {
      return false;
    }
    const { from, to } = view.state.selection.main;
    const insert = () => view.state.update(view.state.replaceSelection(text), { scrollIntoView: true, userEvent: 'input.type' });
    if (!view.state.facet(EditorView.inputHandler).some((handler) => handler(view, from, to, text, insert))) {
      view.dispatch(insert());
    }
    event.preventDefault();
    return true;
  },
});

export function createEditor(parent, { text, getEngine, leaveField, extensions = [], onChange, onCursor }) {
  return new EditorView({
    parent,
    state: EditorState.create({
      doc: text,
      extensions: [
        // A change is told before the editor redraws, so that its check is
        // on its way to the engine meanwhile.
        Prec.highest(ViewPlugin.define(() => ({ update: (update) => update.docChanged && onChange(update) }))),
        lineNumbers(),
        highlightActiveLineGutter(),
        highlightSpecialChars(),
        history(),
        drawSelection(),
        cursorKeptInView,
        highlightActiveLine(),
        search({ top: false }),
        highlightSelectionMatches(),
        overwrite,
        typeAtOnce,
        punchKeys(getEngine, { leaveField }),
        cardKindCompletion(getEngine),
        visibleChars,
        barHints,
        ruler(),
        keymap.of([...defaultKeymap, ...historyKeymap, ...searchKeymap]),
        extensions,
        EditorView.contentAttributes.of({ 'aria-label': 'Deck of cards', spellcheck: 'false' }),
        EditorView.updateListener.of((update) => {
          const toggled = update.startState.field(overwriteMode) !== update.state.field(overwriteMode);
          if (update.docChanged || update.selectionSet || toggled) onCursor(update.state);
        }),
      ],
    }),
  });
}
