// A number typed at the left of a numeric field is right-justified when Tab
// leaves the field: the engine's safe fix for that field is applied, never a
// rule of the page's own. The detailer can turn it off; the choice is kept
// with the page's settings.
import { offsetOfColumn } from './columns.js';

const SETTING = 'barlist.justify-on-tab';

export function justifyOnTab() {
  try {
    return localStorage.getItem(SETTING) !== 'off';
  } catch {
    return true;
  }
}

// Keeps the choice of `checkbox` and shows it.
export function bindJustifySetting(checkbox) {
  checkbox.checked = justifyOnTab();
  checkbox.addEventListener('change', () => {
    try {
      localStorage.setItem(SETTING, checkbox.checked ? 'on' : 'off');
    } catch {
      // a browser that keeps nothing: the choice holds until the page closes
    }
  });
}

// The `leaveField` of the Tab keys. `fixesOf(lineNumber)` gives the fixes of
// the check of the text as it stands ([{line, first_column, last_column,
// text, safe}]), none when that check has not come back yet.
export function justifyWhenLeaving(fixesOf) {
  return (view, lineNumber, field) => {
    if (!justifyOnTab()) return;
    const fix = fixesOf(lineNumber).find(
      (candidate) =>
        candidate.safe && candidate.keeps_values && candidate.first_column >= field.first && candidate.last_column <= field.last,
    );
    if (!fix) return;
    const line = view.state.doc.line(lineNumber);
    const from = line.from + offsetOfColumn(line.text, fix.first_column);
    const to = line.from + offsetOfColumn(line.text, fix.last_column + 1);
    view.dispatch({ changes: { from, to, insert: fix.text }, userEvent: 'input.justify' });
  };
}
