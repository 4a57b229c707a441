// The results of the last check: the two reports as they print, the weight by
// bar size of each problem (a table and a bar chart) and the grand totals.
// Every figure is the engine's; the page only lays them out.
const MAX_LINES = 20000; // a longer report is cut on screen; its download is whole

function element(tag, attributes = {}, ...children) {
  const node = document.createElement(tag);
  for (const [key, value] of Object.entries(attributes)) {
    if (key === 'text') node.textContent = value;
    else node.setAttribute(key, value);
  }
  node.append(...children);
  return node;
}

function cut(text) {
  const lines = text.split('\n');
  if (lines.length <= MAX_LINES) return { text, more: 0 };
  return { text: lines.slice(0, MAX_LINES).join('\n'), more: lines.length - MAX_LINES };
}

// The quantities file's carriage control as printed: a form feed starts a
// new page, CR LF ends a line, the blank lines of "0" are kept.
export function renderQuantities(container, text) {
  const { text: shown, more } = cut(text);
  const pages = shown.split('\f');
  container.replaceChildren(
    ...pages.map((page, index) =>
      element('pre', { class: index === 0 && page === '' ? 'page empty' : 'page', text: page.replace(/\r\n?/g, '\n') }),
    ),
  );
  if (more) container.append(element('p', { class: 'cut', text: `${more} more lines: download the file.` }));
}

export function renderBarTable(container, text) {
  const { text: shown, more } = cut(text);
  container.replaceChildren(element('pre', { class: 'page', text: shown.replace(/\r\n/g, '\n') }));
  if (more) container.append(element('p', { class: 'cut', text: `${more} more lines: download the file.` }));
  if (!text) container.replaceChildren(element('p', { class: 'none', text: 'No bar table: every problem has errors, or the deck has none.' }));
}

function chart(sizes) {
  const ns = 'http://www.w3.org/2000/svg';
  const width = 360;
  const row = 22;
  const labelWidth = 40;
  const most = Math.max(...sizes.map((size) => Math.abs(size.weight)), 1);
  const svg = document.createElementNS(ns, 'svg');
  svg.setAttribute('viewBox', `0 0 ${width} ${row * sizes.length + 4}`);
  svg.setAttribute('class', 'chart');
  svg.setAttribute('role', 'img');
  svg.setAttribute('aria-label', 'Weight by bar size');
  sizes.forEach((size, index) => {
    const y = index * row + 2;
    const bar = Math.max(1, ((width - labelWidth - 90) * Math.abs(size.weight)) / most);
    const parts = [
      ['text', { x: labelWidth - 6, y: y + 15, 'text-anchor': 'end' }, String(size.size)],
      ['rect', { x: labelWidth, y: y + 3, width: bar, height: row - 6, class: 'bar' }],
      ['text', { x: labelWidth + bar + 4, y: y + 15 }, `${size.weight} kg`],
    ];
    for (const [tag, attributes, text] of parts) {
      const node = document.createElementNS(ns, tag);
      for (const [key, value] of Object.entries(attributes)) node.setAttribute(key, value);
      if (text) node.textContent = text;
      svg.append(node);
    }
  });
  return svg;
}

function sizeTable(sizes) {
  const head = element('tr', {}, ...['Bar size', 'Bars', 'Length (mm)', 'Weight (kg)'].map((t) => element('th', { text: t })));
  const rows = sizes.map((size) =>
    element('tr', {}, ...[size.size, size.bars, size.length, size.weight].map((v) => element('td', { text: String(v) }))),
  );
  return element('table', { class: 'sizes' }, element('thead', {}, head), element('tbody', {}, ...rows));
}

export function renderWeights(container, record) {
  container.replaceChildren();
  if (!record) return;
  const totals = [];
  for (const problem of record.problems) {
    const section = element('section', { class: 'problem' });
    section.append(element('h3', { text: `Problem ${problem.number} · ${problem.title}` }));
    if (problem.by_size.length) section.append(sizeTable(problem.by_size), chart(problem.by_size));
    else section.append(element('p', { class: 'none', text: 'No bars.' }));
    if (problem.total) {
      section.append(element('p', { class: 'total', text: `Grand total: ${problem.total.weight} kg, cost ${problem.total.cost}` }));
      totals.push(problem.total);
    }
    container.append(section);
  }
  if (!record.problems.length) container.append(element('p', { class: 'none', text: 'No problem in the deck.' }));
  return totals;
}
