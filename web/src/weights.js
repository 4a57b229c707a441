// The weight by bar size of each problem of the last check (a table and a bar
// chart) and its grand total, drawn again only when they changed. Every
// figure is the engine's; the page only lays them out.
const shownKey = new WeakMap(); // container -> the weights it shows

function element(tag, attributes = {}, ...children) {
  const node = document.createElement(tag);
  for (const [key, value] of Object.entries(attributes)) {
    if (key === 'text') node.textContent = value;
    else node.setAttribute(key, value);
  }
  node.append(...children);
  return node;
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
  const headings = ['Bar size', 'Bars', 'Length (mm)', 'Weight (kg)'];
  const head = element('tr', {}, ...headings.map((t) => element('th', { text: t })));
  const cells = (size) =>
    [size.size, size.bars, size.length, size.weight].map((value) => element('td', { text: String(value) }));
  const rows = sizes.map((size) => element('tr', {}, ...cells(size)));
  return element('table', { class: 'sizes' }, element('thead', {}, head), element('tbody', {}, ...rows));
}

// `problems`: [{number, title, by_size, total}], or null after a fatal stop.
export function renderWeights(container, problems) {
  const key = JSON.stringify(problems);
  if (shownKey.get(container) === key) return;
  shownKey.set(container, key);
  container.replaceChildren();
  if (!problems) return;
  const bare = []; // the problems with no bars and no total, said in one line
  for (const problem of problems) {
    if (!problem.by_size.length && !(problem.total && problem.total.weight)) {
      bare.push(problem);
      continue;
    }
    const section = element('section', { class: 'problem' });
    section.append(element('h3', { text: `Problem ${problem.number} · ${problem.title}` }));
    if (problem.by_size.length) section.append(sizeTable(problem.by_size), chart(problem.by_size));
    else section.append(element('p', { class: 'none', text: 'No bars.' }));
    if (problem.total) {
      const total = `Grand total: ${problem.total.weight} kg, cost ${problem.total.cost}`;
      section.append(element('p', { class: 'total', text: total }));
    }
    container.append(section);
  }
  if (bare.length === 1) container.append(element('p', { class: 'none', text: `No bars in problem ${bare[0].number}.` }));
  else if (bare.length) {
    const fold = element('details', { class: 'none' }, element('summary', { text: `No bars in ${bare.length} problems` }));
    fold.append(element('p', { text: bare.map((problem) => problem.number).join(', ') }));
    container.append(fold);
  }
  if (!problems.length) container.append(element('p', { class: 'none', text: 'No problem in the deck.' }));
}
