// The bar table printed whole: landscape, the lines in a font that fits
// them, and on each page's head the deck's name, its problems and the date.
const quoted = (text) => `"${String(text).replace(/[\\"]/g, '\\$&').replace(/[\r\n]+/g, ' ')}"`;

// `problems`: [{number, title}] of the last check, or null.
export function printBarTable(deckName, problems, now = new Date()) {
  const listed = (problems || []).map((problem) => String(problem.number).trim()).filter(Boolean);
  const problemText = listed.length === 1 ? `problem ${listed[0]}` : listed.length ? `problems ${listed.join(', ')}` : '';
  const style = document.createElement('style');
  style.textContent = `@page { size: landscape; margin: 14mm 12mm;
    @top-left { content: ${quoted(deckName)}; font: 9pt sans-serif; }
    @top-center { content: ${quoted(problemText)}; font: 9pt sans-serif; }
    @top-right { content: ${quoted(now.toISOString().slice(0, 10))}; font: 9pt sans-serif; }
    @bottom-right { content: "page " counter(page) " of " counter(pages); font: 9pt sans-serif; } }`;
  document.head.append(style);
  document.body.classList.add('printing-bar-table');
  try {
    window.print();
  } finally {
    document.body.classList.remove('printing-bar-table');
    style.remove();
  }
}
