// On a bar card's type field: the type's developed length, its hooks and
// notes, from the deck reference's table of the bar types.
import barTypes from 'bar-types';

// " · type 10: A + B + Ha + Hg, hooks both" for the field `at` the engine
// describes, or "" off a type field.
export function typeHelp(at) {
  if (!at || !at.field || at.field.name !== 'bar type' || at.value === null) return '';
  const type = barTypes[String(Number(at.value))];
  if (!type) return '';
  const hooks = type.hooks ? `, hooks ${type.hooks}` : '';
  const notes = type.notes ? ` (${type.notes})` : '';
  return ` · type ${Number(at.value)}: ${type.length}${hooks}${notes}`;
}
