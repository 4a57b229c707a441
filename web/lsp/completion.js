// Completion at column 1: the card kinds the engine knows, each with its
// template line, a placeholder of blanks as wide as each field so that the
// fields stay in their columns. The kinds are found by asking the engine
// what each character in column 1 makes of a card; the kind that most
// characters make is the card barlist does not know.
import { bytesOf } from './positions.js';

function probe(fieldAt) {
  const kinds = new Map();
  for (let code = 0x20; code < 0x7f; ++code) {
    const letter = String.fromCharCode(code);
    const at = fieldAt(bytesOf(letter), 1);
    if (!at) continue;
    if (!kinds.has(at.kind)) kinds.set(at.kind, []);
    kinds.get(at.kind).push(letter);
  }
  const unknown = [...kinds.entries()].reduce((a, b) => (b[1].length > a[1].length ? b : a), ['', []])[0];
  kinds.delete(unknown);
  return kinds;
}

function template(letter, fields) {
  let snippet = letter.replace(/[$}\\]/g, '\\$&');
  let ruler = letter;
  let stop = 0;
  let column = 1;
  for (const field of fields) {
    if (!field.name || field.first === 1 || field.listed) continue;
    const gap = ' '.repeat(Math.max(0, field.first - 1 - column));
    const width = field.last - field.first + 1;
    snippet += `${gap}\${${++stop}:${' '.repeat(width)}}`;
    ruler += gap + `[${field.name}]`.padEnd(width, '.').slice(0, width);
    column = field.last;
  }
  return { snippet: `${snippet}$0`, ruler };
}

export function cardKindItems(fieldAt, cardFields) {
  const items = [];
  for (const [kind, letters] of probe(fieldAt)) {
    const letter = letters[0];
    const fields = cardFields(letter);
    const { snippet, ruler } = template(letter, fields);
    const named = fields.filter((f) => f.name && f.first > 1 && !f.listed);
    items.push({
      label: `${letter === ' ' ? '␣' : letter} ${kind}`,
      kind: 14, // a keyword
      filterText: letter,
      detail: letters.length > 1 ? `column 1: ${letters.map((l) => `"${l}"`).join(' or ')}` : `column 1: "${letter}"`,
      documentation: {
        kind: 'markdown',
        value: ['```', ruler, '```', ...named.map((f) => `- ${f.name}: columns ${f.first}-${f.last}`)].join('\n'),
      },
      insertTextFormat: 2,
      insertText: snippet,
    });
  }
  return items;
}
