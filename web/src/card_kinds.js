// Ctrl+Space at column 1 lists the card kinds, as the engine names them by
// the letter of column 1, each with the template of its fields (the columns
// the ruler then shows); choosing one punches its letter.
import { autocompletion } from '@codemirror/autocomplete';

let kinds = null; // [{letters, name, spans}], asked from the engine once

function cardKinds(engine) {
  if (kinds) return kinds;
  const byName = new Map();
  for (let code = 0x20; code < 0x7f; code++) {
    const letter = String.fromCharCode(code);
    const { kind } = engine.fieldAt(letter, 1);
    if (kind === 'unknown card') continue;
    if (!byName.has(kind)) byName.set(kind, { letters: [], name: kind, spans: engine.cardFields(letter) });
    byName.get(kind).letters.push(letter);
  }
  kinds = [...byName.values()];
  return kinds;
}

// The card's fields as a blank template: "2-3 size" a line, the columns it does not use left out.
function template(spans) {
  const pre = document.createElement('pre');
  pre.className = 'cm-card-template';
  pre.textContent = spans
    .filter((span) => span.name)
    .map((span) => `${`${span.first}${span.last > span.first ? `-${span.last}` : ''}`.padStart(5)}  ${span.name}${span.note ? ` (${span.note})` : ''}`)
    .join('\n');
  return pre;
}

const shown = (letter) => (letter === ' ' ? 'blank' : letter);

export function cardKindCompletion(getEngine) {
  const source = (context) => {
    const engine = getEngine();
    const line = context.state.doc.lineAt(context.pos);
    if (!engine || !context.explicit || context.pos !== line.from) return null;
    const options = cardKinds(engine).flatMap(({ letters, name, spans }) =>
      letters.map((letter) => ({
        label: letter,
        displayLabel: `${shown(letter)}  ${name}`,
        info: () => template(spans),
        apply: (view, completion, from, to) =>
          view.dispatch({ changes: { from, to, insert: letter }, selection: { anchor: from + 1 }, userEvent: 'input.complete' }),
      })),
    );
    return { from: context.pos, options, filter: false };
  };
  return autocompletion({ override: [source], activateOnTyping: false, icons: false });
}
