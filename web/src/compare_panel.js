// "Compare with…": an earlier revision of the deck (a file, or the deck as
// it was when last saved) set against the deck as it stands. The engine
// makes the comparison and its text; the panel lists each line as a link to
// its card, and the editor marks the cards added or changed. While the panel
// is open, each edit compares again.
import { RangeSetBuilder, StateEffect, StateField } from '@codemirror/state';
import { Decoration, EditorView } from '@codemirror/view';

const $ = (id) => document.getElementById(id);

// The lines of the last comparison: [{go_to, kind, marked}].
const setCompared = StateEffect.define();
const MARKS = {
  added: Decoration.line({ class: 'cm-compared-added' }),
  changed: Decoration.line({ class: 'cm-compared-changed' }),
};

function marksOf(doc, lines) {
  const builder = new RangeSetBuilder();
  const marked = lines.filter((line) => line.marked && line.go_to >= 1 && line.go_to <= doc.lines);
  let previous = 0;
  for (const line of marked.sort((a, b) => a.go_to - b.go_to)) {
    if (line.go_to === previous) continue;
    previous = line.go_to;
    const from = doc.line(line.go_to).from;
    builder.add(from, from, MARKS[line.kind] || MARKS.changed);
  }
  return builder.finish();
}

export const comparedCards = StateField.define({
  create: () => Decoration.none,
  update(set, transaction) {
    for (const effect of transaction.effects) {
      if (effect.is(setCompared)) return marksOf(transaction.state.doc, effect.value);
    }
    return set.map(transaction.changes);
  },
  provide: (field) => EditorView.decorations.from(field),
});

function goTo(view, lineNumber) {
  const at = view.state.doc.line(Math.min(lineNumber, view.state.doc.lines)).from;
  view.dispatch({ selection: { anchor: at }, effects: EditorView.scrollIntoView(at, { y: 'center' }) });
  view.focus();
}

function lineItem(view, line) {
  const item = document.createElement(line.go_to ? 'button' : 'span');
  item.className = `compared ${line.kind}`;
  item.style.paddingLeft = `${line.indent + 0.5}ch`;
  item.textContent = line.text;
  if (line.go_to) {
    item.type = 'button';
    item.dataset.line = line.go_to;
    item.addEventListener('click', () => goTo(view, line.go_to));
  }
  const li = document.createElement('li');
  li.append(item);
  return li;
}

export function setUpCompare({ view, deck, worker }) {
  let earlier = null; // {name, bytes} of the revision compared with
  let comparing = false;
  let stale = false;

  function show(answer) {
    const lines = answer.error ? [] : answer.lines;
    $('compare-status').textContent = answer.error
      ? `The comparison stopped: ${answer.error}`
      : answer.differs
        ? ''
        : `No difference from ${earlier.name}.`;
    $('compare-lines').replaceChildren(...lines.map((line) => lineItem(view, line)));
    view.dispatch({ effects: setCompared.of(lines) });
    document.body.dataset.compared = String(Date.now());
  }

  // As the checks: at once when the engine is free, else with the text as it then stands.
  async function compare() {
    if (!earlier) return;
    if (comparing) {
      stale = true;
      return;
    }
    comparing = true;
    stale = false;
    const names = { before: earlier.name, after: deck.name };
    try {
      const answer = await worker.compare(earlier.bytes, deck.bytesOf(view), names);
      if (!stale && earlier) show(answer);
    } catch (error) {
      show({ error: error.message });
    }
    comparing = false;
    if (stale) compare();
  }

  function open(name, bytes) {
    earlier = { name, bytes };
    $('compare-title').textContent = `Changes since ${name}`;
    $('compare-pane').hidden = false;
    compare();
  }

  const menu = $('compare-with');
  document.addEventListener('click', (event) => {
    if (menu.open && !menu.contains(event.target)) menu.open = false;
  });
  $('compare-file').addEventListener('click', () => {
    menu.open = false;
    $('compare-file-input').click();
  });
  $('compare-file-input').addEventListener('change', async () => {
    const [file] = $('compare-file-input').files;
    if (file) open(file.name, new Uint8Array(await file.arrayBuffer()));
    $('compare-file-input').value = '';
  });
  $('compare-saved').addEventListener('click', () => {
    menu.open = false;
    if (deck.saved) {
      open(`${deck.name} as last saved`, deck.saved);
      return;
    }
    $('compare-pane').hidden = false;
    $('compare-status').textContent = 'This deck was restored with unsaved changes: its saved revision is not known.';
  });
  $('compare-close').addEventListener('click', () => {
    earlier = null;
    $('compare-pane').hidden = true;
    view.dispatch({ effects: setCompared.of([]) });
  });
  return { changed: compare };
}
