// The two reports as they print. A check redraws only the parts whose text
// changed: the quantities file page by page, the bar table in runs of lines;
// parts out of sight are not laid out (content-visibility in the styles).
// A longer report is cut on screen (its download is whole): every report
// carries the time of its run, so each one redraws every page it shows.
const MAX_LINES = 5000;
const RUN_LINES = 100; // lines of the bar table in one part
const NEWLINE = 10;
const utf8 = new TextDecoder('utf-8');
const shownText = new WeakMap(); // container -> the text it shows

function element(tag, className, text) {
  const node = document.createElement(tag);
  node.className = className;
  node.textContent = text;
  return node;
}

// The report's first lines as text and the count of those left out; only
// what is shown is decoded.
function cut(bytes) {
  if (!bytes) return { text: '', more: 0 };
  let end = -1;
  for (let line = 0; line < MAX_LINES; line++) {
    end = bytes.indexOf(NEWLINE, end + 1);
    if (end < 0) return { text: utf8.decode(bytes), more: 0 };
  }
  let more = end + 1 < bytes.length ? 1 : 0;
  for (let at = bytes.indexOf(NEWLINE, end + 1); at >= 0 && at + 1 < bytes.length; at = bytes.indexOf(NEWLINE, at + 1)) more++;
  return { text: utf8.decode(bytes.subarray(0, end)), more };
}

// Puts `texts` in the container's <pre> elements of `className`, one each,
// touching only those whose text changed; `after` (a note, or nothing) ends
// the container.
function showParts(container, className, texts, after) {
  const parts = [...container.children].filter((node) => node.tagName === 'PRE');
  texts.forEach((text, index) => {
    const part = parts[index];
    const wanted = index === 0 && text === '' && className === 'page' ? 'page empty' : className;
    if (!part) container.append(element('pre', wanted, text));
    else if (part.textContent !== text || part.className !== wanted) {
      part.textContent = text;
      part.className = wanted;
    }
  });
  parts.slice(texts.length).forEach((node) => node.remove());
  [...container.children].filter((node) => node.tagName !== 'PRE').forEach((node) => node.remove());
  if (after) container.append(after);
}

function cutNote(more) {
  return more ? element('p', 'cut', `${more} more lines: download the file.`) : null;
}

// The quantities file's carriage control as printed: a form feed starts a
// new page, CR LF ends a line, the blank lines of "0" are kept. `bytes`: the
// file's, or null.
export function renderQuantities(container, bytes) {
  const { text: shown, more } = cut(bytes);
  const key = `${more}:${shown}`;
  if (shownText.get(container) === key) return;
  shownText.set(container, key);
  showParts(container, 'page', shown.split('\f').map((page) => page.replace(/\r\n?/g, '\n')), cutNote(more));
}

export function renderBarTable(container, bytes) {
  const { text: shown, more } = cut(bytes);
  const key = `${more}:${shown}`;
  if (shownText.get(container) === key) return;
  shownText.set(container, key);
  if (!shown) {
    const none = 'No bar table: every problem has errors, or the deck has none.';
    container.replaceChildren(element('p', 'none', none));
    return;
  }
  const lines = shown.replace(/\r\n/g, '\n').split('\n');
  const runs = [];
  for (let at = 0; at < lines.length; at += RUN_LINES) {
    const end = Math.min(at + RUN_LINES, lines.length);
    runs.push(lines.slice(at, end).join('\n') + (end < lines.length ? '\n' : ''));
  }
  showParts(container, 'table-run', runs, cutNote(more));
}
