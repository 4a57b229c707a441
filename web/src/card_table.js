// The fields of every card kind, as the engine gave them when the page was
// built: what the ruler and the field at the cursor show at once, without
// asking the engine (the value barlist reads there comes from the worker).
import table from 'card-table';

const encoder = new TextEncoder();

// The kind of a line: by the first byte of its column 1 ("" reads as blank).
function entryOf(lineText) {
  const code = lineText ? encoder.encode(lineText.slice(0, 2))[0] : 32;
  return table.kinds[table.byCode[code]];
}

// [{name, first, last}], the runs of unread columns among them.
export function cardFields(lineText) {
  return entryOf(lineText).fields;
}

// {kind, field: {name, first, last}} at `column` (from 1) of a line.
export function fieldOf(lineText, column) {
  const { kind, fields } = entryOf(lineText);
  const field = fields.find((span) => column >= span.first && column <= span.last) || { name: '', first: column, last: column };
  return { kind, field };
}
