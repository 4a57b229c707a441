// The run's summary kept to a line: a long list of the problems left
// without a bar table is counted, the list itself folded under it.
const LISTED_AT_MOST = 5;
const UNLISTED = /; no bar table for problems ([^;]*)/;

export function showSummary(element, text) {
  const match = UNLISTED.exec(text);
  const problems = match ? match[1].split(', ') : [];
  if (problems.length <= LISTED_AT_MOST) {
    element.textContent = text;
    return;
  }
  const counted = text.replace(UNLISTED, `; no bar table for ${problems.length} problems`);
  const fold = document.createElement('details');
  fold.className = 'summary-list';
  const label = document.createElement('summary');
  label.textContent = 'which problems';
  const list = document.createElement('p');
  list.textContent = problems.join(', ');
  fold.append(label, list);
  element.replaceChildren(counted, fold);
}
