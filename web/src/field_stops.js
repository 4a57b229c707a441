// Where Tab and Shift+Tab stop on a card, as on a program card of a card
// punch: the first column of each field the card's kind reads. Columns a
// kind reads but does not use are no stop, nor those only the bar table
// lists.

// The length is punched as one number across its hundreds of mm and its mm:
// the field named here continues the field before it.
const CONTINUES = new Set(['length in mm']);

// The fields of `spans` ([{name, first, last}]) that are stops, each joined
// with the fields that continue it.
export function stopFields(spans) {
  const fields = [];
  for (const span of spans) {
    if (!span.name || span.listed) continue;
    const before = fields[fields.length - 1];
    if (CONTINUES.has(span.name) && before && before.last + 1 === span.first) before.last = span.last;
    else fields.push({ name: span.name, first: span.first, last: span.last });
  }
  return fields;
}

export const fieldStops = (spans) => stopFields(spans).map((field) => field.first);

// The stop after `column`, or null past the last field.
export function nextStop(stops, column) {
  return stops.find((stop) => stop > column) ?? null;
}

// The stop before `column`, or null at the first field.
export function previousStop(stops, column) {
  let found = null;
  for (const stop of stops) if (stop < column) found = stop;
  return found;
}
