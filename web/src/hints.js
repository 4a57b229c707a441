// Beside each bar-level card that barlist worked out, after column 80: its
// length in mm and its weight in kg, as the JSON record of the last check
// gives them.
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

export const setHints = StateEffect.define();

// [{line, length, weight}] from the items of every problem of a record.
export function hintsOf(record) {
  const hints = [];
  const add = (item) => {
    if (item.length !== undefined && item.weight !== undefined) hints.push(item);
  };
  for (const problem of (record && record.problems) || []) {
    for (const unit of problem.units) unit.items.forEach(add);
    problem.unclosed_items.forEach(add);
  }
  return hints;
}

function decorations(doc, hints) {
  const ranges = [];
  for (const item of hints) {
    if (item.line < 1 || item.line > doc.lines) continue;
    const line = doc.line(item.line);
    const gap = Math.max(2, CARD_COLUMNS + 2 - line.length);
    const widget = new HintWidget(`${item.length} mm · ${item.weight} kg`, gap);
    ranges.push(Decoration.widget({ widget, side: 1 }).range(line.to));
  }
  return Decoration.set(ranges, true);
}

export const barHints = StateField.define({
  create: () => Decoration.none,
  update(set, transaction) {
    set = set.map(transaction.changes);
    for (const effect of transaction.effects) {
      if (effect.is(setHints)) set = decorations(transaction.state.doc, effect.value);
    }
    return set;
  },
  provide: (field) => EditorView.decorations.from(field),
});
