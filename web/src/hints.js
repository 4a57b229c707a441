// Beside each bar-level card that barlist worked out, after column 80: its
// length and its weight, as the last check words them. Only the lines in
// sight get their hints, so a deck of any size costs the same per frame; an
// edit made since the check moves each hint with its card until the next
// check replaces them.
import { StateEffect, StateField } from '@codemirror/state';
import { Decoration, ViewPlugin, WidgetType } from '@codemirror/view';

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

const decoder = new TextDecoder();

// The hints as this module reads them: their count, and each one's line and
// text; of [{line, length, weight}], or of a check's packed hints, whose
// texts are decoded only for the lines in sight.
function hintList(hints) {
  if (Array.isArray(hints)) {
    return { count: hints.length, line: (i) => hints[i].line, text: (i) => `${hints[i].length} · ${hints[i].weight}` };
  }
  const { numbers, texts, starts } = hints;
  const text = (i) => decoder.decode(texts.subarray(starts[i], starts[i + 1] - 1)).replace('\t', ' · ');
  return { count: numbers.length / 3, line: (i) => numbers[3 * i], text };
}

// [{line, length, weight}], or packed hints ({numbers, texts, starts} of
// engine.js), in line order, of the text as it stands.
export const setHints = StateEffect.define();

// The hints, the text they are of, and the changes made to it since.
const hintState = StateField.define({
  create: (state) => ({ hints: hintList([]), doc: state.doc, changes: null }),
  update(value, transaction) {
    for (const effect of transaction.effects) {
      if (effect.is(setHints)) return { hints: hintList(effect.value), doc: transaction.state.doc, changes: null };
    }
    if (!transaction.docChanged || !value.hints.count) return value;
    const changes = value.changes ? value.changes.compose(transaction.changes) : transaction.changes;
    return { ...value, changes };
  },
});

// The first hint at or after line `line`.
function firstFrom(hints, line) {
  let low = 0;
  let high = hints.count;
  while (low < high) {
    const middle = (low + high) >> 1;
    if (hints.line(middle) < line) low = middle + 1;
    else high = middle;
  }
  return low;
}

// Where the hints of lines in `ranges` ([{from, to}] of the text as it
// stands) go: [{at, text, gap}], at the end of each card's line.
export function hintPlaces(state, ranges) {
  const { hints, doc: old, changes } = state.field(hintState);
  const back = changes && changes.invertedDesc;
  const places = [];
  for (const { from, to } of hints.count ? ranges : []) {
    const first = old.lineAt(back ? back.mapPos(from, -1) : from).number;
    const last = old.lineAt(back ? back.mapPos(to, 1) : to).number;
    for (let i = firstFrom(hints, first); i < hints.count && hints.line(i) <= last; i++) {
      const end = old.line(hints.line(i)).to;
      const line = state.doc.lineAt(changes ? changes.mapPos(end, -1) : end);
      const gap = Math.max(2, CARD_COLUMNS + 2 - line.length);
      places.push({ at: line.to, text: hints.text(i), gap });
    }
  }
  return places;
}

function hintsInSight(view) {
  const places = hintPlaces(view.state, view.visibleRanges);
  const widget = ({ at, text, gap }) => Decoration.widget({ widget: new HintWidget(text, gap), side: 1 }).range(at);
  return places.length ? Decoration.set(places.map(widget), true) : Decoration.none;
}

const hintsShown = ViewPlugin.fromClass(
  class {
    constructor(view) {
      this.decorations = hintsInSight(view);
    }
    update(update) {
      const moved = update.startState.field(hintState) !== update.state.field(hintState);
      if (moved || update.docChanged || update.viewportChanged) this.decorations = hintsInSight(update.view);
    }
  },
  { decorations: (plugin) => plugin.decorations },
);

export const barHints = [hintState, hintsShown];
