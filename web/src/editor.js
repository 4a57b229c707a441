// The deck editor: CodeMirror with line numbers, the column ruler, a guide
// after column 80, keys that keep the columns, overwrite typing, visible tabs
// and characters past ASCII, underlined diagnostics and the bar-card hints.
import { defaultKeymap, history, historyKeymap } from '@codemirror/commands';
import { highlightSelectionMatches, search, searchKeymap } from '@codemirror/search';
import { EditorState } from '@codemirror/state';
import {
  EditorView,
  drawSelection,
  highlightActiveLine,
  highlightActiveLineGutter,
  highlightSpecialChars,
  keymap,
  lineNumbers,
} from '@codemirror/view';
import { cardKindCompletion } from './card_kinds.js';
import { barHints } from './hints.js';
import { punchKeys } from './keys.js';
import { overwrite, overwriteMode } from './overwrite.js';
import { ruler } from './ruler.js';
import { visibleChars } from './visible_chars.js';

export function createEditor(parent, { text, getEngine, leaveField, extensions = [], onChange, onCursor }) {
  return new EditorView({
    parent,
    state: EditorState.create({
      doc: text,
      extensions: [
        lineNumbers(),
        highlightActiveLineGutter(),
        highlightSpecialChars(),
        history(),
        drawSelection(),
        highlightActiveLine(),
        search({ top: false }),
        highlightSelectionMatches(),
        overwrite,
        punchKeys(getEngine, { leaveField }),
        cardKindCompletion(getEngine),
        visibleChars,
        barHints,
        ruler(),
        keymap.of([...defaultKeymap, ...historyKeymap, ...searchKeymap]),
        extensions,
        EditorView.contentAttributes.of({ 'aria-label': 'Deck of cards', spellcheck: 'false' }),
        EditorView.updateListener.of((update) => {
          if (update.docChanged) onChange(update);
          const toggled = update.startState.field(overwriteMode) !== update.state.field(overwriteMode);
          if (update.docChanged || update.selectionSet || toggled) onCursor(update.state);
        }),
      ],
    }),
  });
}
