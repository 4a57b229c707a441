// Beside each bar-level card that barlist worked out, after column 80: its
// length in mm and its weight in kg, as the last check gives them. The set
// of hints is built once per check that changes them; an edit only maps it
// and sets the gap again on the lines it touched.
import { StateEffect, StateField } from '@codemirror/state';
import { Decoration, EditorView, WidgetType } from '@codemirror/view';

const CARD_COLUMNS = 80;

class HintWidget extends WidgetType {
  constructor(text, gap) {
    super();
    this.text = text;
    this.gap = gap;
  }
  eq(other) {
    return other.text === this.text && other.gap === this.gap;
  }
  toDOM() {
    const span = document.createElement('span');
    span.className = 'cm-bar-hint';
    span.style.marginLeft = `${this.gap}ch`;
    span.textContent = this.text;
    return span;
  }
}

// [{line, length_mm, weight_kg}]
export const setHints = StateEffect.define();

function hintAt(line, text) {
  const gap = Math.max(2, CARD_COLUMNS + 2 - line.length);
  return Decoration.widget({ widget: new HintWidget(text, gap), side: 1 }).range(line.to);
}

function decorations(doc, hints) {
  const ranges = [];
  for (const item of hints) {
    if (item.line < 1 || item.line > doc.lines) continue;
    ranges.push(hintAt(doc.line(item.line), `${item.length_mm} mm · ${item.weight_kg} kg`));
  }
  return Decoration.set(ranges, true);
}

// The hints of the lines an edit touched, at their lines' new ends.
function regap(set, transaction) {
  const { doc } = transaction.state;
  transaction.changes.iterChangedRanges((fromA, toA, from, to) => {
    const first = doc.lineAt(from);
    const last = doc.lineAt(to);
    const moved = [];
    set.between(first.from, last.to, (start, end, decoration) => {
      moved.push(hintAt(doc.lineAt(start), decoration.widget.text));
    });
    if (moved.length) set = set.update({ filterFrom: first.from, filterTo: last.to, filter: () => false, add: moved });
  });
  return set;
}

export const barHints = StateField.define({
  create: () => Decoration.none,
  update(set, transaction) {
    for (const effect of transaction.effects) {
      if (effect.is(setHints)) return decorations(transaction.state.doc, effect.value);
    }
    return transaction.docChanged ? regap(set.map(transaction.changes), transaction) : set;
  },
  provide: (field) => EditorView.decorations.from(field),
});
