// The list of diagnostics of the last check, each with its notes, the run's
// summary, and their underlines in the editor; drawn again only when they
// changed. Choosing one (click, or Enter on it) moves the cursor there.
import { setDiagnostics } from '@codemirror/lint';
import { EditorView } from '@codemirror/view';
import { offsetOfColumn } from './columns.js';
import { applyFixes, fixTitle } from './quick_fixes.js';
import { showSummary } from './summary_view.js';

const MAX_LISTED = 2000; // past these, the quantities file holds the rest
const shownKey = new WeakMap(); // container -> the diagnostics it shows

// "7:13", or "7" for a diagnostic of the whole line (column 0).
const place = (d) => (d.column ? `${d.line}:${d.column}` : String(d.line));

function position(doc, line, column) {
  const at = doc.line(Math.min(Math.max(line, 1), doc.lines));
  return at.from + offsetOfColumn(at.text, Math.max(column, 1));
}

// A note under its diagnostic, its place given when it is another.
function noteLine(note, d) {
  const line = document.createElement('span');
  line.className = 'note';
  line.textContent = place(note) === place(d) ? note.message : `${place(note)}: ${note.message}`;
  return line;
}

export function showDiagnostics(view, { diagnostics: list, summary: summaryText }, container, summary) {
  const key = JSON.stringify([list, summaryText]);
  if (shownKey.get(container) === key) return;
  shownKey.set(container, key);
  const { doc } = view.state;
  const shown = list.slice(0, MAX_LISTED);
  const underlines = shown.map((d) => {
    const from = position(doc, d.line, d.column);
    const lineEnd = doc.lineAt(from).to;
    return {
      from,
      to: Math.min(from + 1, lineEnd),
      severity: d.severity === 'warning' ? 'warning' : 'error',
      message: [d.message, ...d.notes.map((note) => note.message)].join('\n'),
      actions: (d.fixes || []).map((fix) => ({ name: `Fix: ${fixTitle(fix)}`, apply: (v) => applyFixes(v, [fix]) })),
    };
  });
  view.dispatch(setDiagnostics(view.state, underlines));

  const items = shown.map((d) => {
    const button = document.createElement('button');
    button.type = 'button';
    button.className = `diagnostic ${d.severity}`;
    button.dataset.line = d.line;
    button.dataset.column = d.column;
    const where = document.createElement('span');
    where.className = 'where';
    where.textContent = place(d);
    const text = document.createElement('span');
    text.className = 'message';
    text.textContent = d.message;
    button.append(where, text);
    button.append(...d.notes.map((note) => noteLine(note, d)));
    button.addEventListener('click', () => {
      const at = position(view.state.doc, d.line, d.column);
      view.dispatch({ selection: { anchor: at }, effects: EditorView.scrollIntoView(at, { y: 'center' }) });
      view.focus();
    });
    const item = document.createElement('li');
    item.append(button);
    for (const fix of d.fixes || []) {
      const apply = document.createElement('button');
      apply.type = 'button';
      apply.className = `fix${fix.safe ? ' safe' : ''}`;
      apply.textContent = fix.safe ? 'Fix' : 'Fix (unsure)';
      apply.title = fixTitle(fix);
      apply.addEventListener('click', () => {
        applyFixes(view, [fix]);
        view.focus();
      });
      item.append(apply);
    }
    return item;
  });
  container.replaceChildren(...items);
  if (list.length > shown.length) {
    const more = document.createElement('li');
    more.className = 'more';
    more.textContent = `${list.length - shown.length} more in the quantities file`;
    container.append(more);
  }
  showSummary(summary, summaryText || (list.length ? 'Diagnostics' : 'No diagnostics'));
}
