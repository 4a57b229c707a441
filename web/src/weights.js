// The weight by bar size of each problem of the last check (a table and a bar
// chart): the sizes, then the rows that take their sum to the grand total the
// quantities file prints (lump weights, the units' rounding to whole kg),
// drawn again only when they changed. Every figure is the engine's text; the
// page only lays them out.
const shownKey = new WeakMap(); // container -> the weights it shows
const MAX_SHOWN = 100; // problems drawn; the JSON record holds the rest

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
  const most = Math.max(...sizes.map((size) => Math.abs(Number(size.weight_kg)) || 0), 1);
  const svg = document.createElementNS(ns, 'svg');
  svg.setAttribute('viewBox', `0 0 ${width} ${row * sizes.length + 4}`);
  svg.setAttribute('class', 'chart');
  svg.setAttribute('role', 'img');
  svg.setAttribute('aria-label', 'Weight by bar size');
  sizes.forEach((size, index) => {
    const y = index * row + 2;
    const bar = Math.max(1, ((width - labelWidth - 90) * (Math.abs(Number(size.weight_kg)) || 0)) / most);
    const parts = [
      ['text', { x: labelWidth - 6, y: y + 15, 'text-anchor': 'end' }, String(size.size)],
      ['rect', { x: labelWidth, y: y + 3, width: bar, height: row - 6, class: 'bar' }],
      ['text', { x: labelWidth + bar + 4, y: y + 15 }, `${size.weight_kg} kg`],
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

// The sizes, and under them the rows down to the grand total.
function sizeTable(problem) {
  const headings = ['Bar size', 'Bars', 'Length (mm)', 'Weight (kg)'];
  const head = element('tr', {}, ...headings.map((t) => element('th', { text: t })));
  const row = (cells, attributes = {}) => element('tr', attributes, ...cells.map((text) => element('td', { text })));
  const rows = problem.sizes.map((size) => row([size.size, size.bars, size.length_mm, size.weight_kg]));
  const sums = [['All bar sizes', problem.bars_kg, 'bars']];
  if (problem.lumps_kg) sums.push(['Lump weights', problem.lumps_kg, 'lumps']);
  if (problem.rounding_kg) sums.push(['Units rounded to whole kg', problem.rounding_kg, 'rounding']);
  if (problem.total_kg) sums.push(['Grand total', problem.total_kg, 'total']);
  const foot = sums.map(([label, weight, kind]) =>
    element('tr', { 'data-row': kind }, element('th', { text: label, colspan: '3' }), element('td', { text: weight })),
  );
  return element(
    'table',
    { class: 'sizes' },
    element('thead', {}, head),
    element('tbody', {}, ...rows),
    element('tfoot', {}, ...foot),
  );
}

const hasWeights = (problem) => problem.sizes.length || problem.lumps_kg || (problem.total_kg && problem.total_kg !== '0');

// `problems`: [{number, title, sizes, bars_kg, lumps_kg, rounding_kg,
// total_kg, cost}] as the engine gives them, or null after a fatal stop.
export function renderWeights(container, problems) {
  const key = JSON.stringify(problems);
  if (shownKey.get(container) === key) return;
  shownKey.set(container, key);
  container.replaceChildren();
  if (!problems) return;
  const bare = []; // the problems with no bars and no total, said in one line
  let shown = 0;
  for (const problem of problems) {
    if (!hasWeights(problem)) {
      bare.push(problem);
      continue;
    }
    if (++shown > MAX_SHOWN) continue;
    const section = element('section', { class: 'problem' });
    section.append(element('h3', { text: `Problem ${problem.number} · ${problem.title}` }));
    section.append(sizeTable(problem));
    if (problem.sizes.length) section.append(chart(problem.sizes));
    if (problem.total_kg) {
      const total = `Grand total: ${problem.total_kg} kg, cost $ ${problem.cost}`;
      section.append(element('p', { class: 'total', text: total }));
    }
    container.append(section);
  }
  if (shown > MAX_SHOWN) {
    container.append(element('p', { class: 'cut', text: `${shown - MAX_SHOWN} more problems: download the JSON record.` }));
  }
  if (bare.length === 1) container.append(element('p', { class: 'none', text: `No bars in problem ${bare[0].number}.` }));
  else if (bare.length) {
    const fold = element('details', { class: 'none' }, element('summary', { text: `No bars in ${bare.length} problems` }));
    fold.append(element('p', { text: bare.map((problem) => problem.number).join(', ') }));
    container.append(fold);
  }
  if (!problems.length) container.append(element('p', { class: 'none', text: 'No problem in the deck.' }));
}
