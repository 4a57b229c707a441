// A ruler of columns 1 to 80 above the deck, its digits grouped by the fields
// of the current line's card kind (as the engine tells them), the field under
// the cursor marked. It follows the editor's horizontal scrolling.
import { showPanel } from '@codemirror/view';
import { cardFields } from './card_table.js';
import { byteColumn } from './columns.js';

const CARD_COLUMNS = 80;

function tensRow() {
  let text = '';
  for (let column = 1; column <= CARD_COLUMNS; column++) text += column % 10 === 0 ? String((column / 10) % 10) : ' ';
  return text;
}

function digits(first, last) {
  let text = '';
  for (let column = first; column <= last; column++) text += String(column % 10);
  return text;
}

// A field's name cut to its columns, blank-filled: "size" over 2-3 is "si".
function label(span) {
  const width = span.last - span.first + 1;
  const name = span.name || '';
  return (width > 2 && name.length > width ? name.slice(0, width - 1) + '…' : name.slice(0, width)).padEnd(width);
}

// What the cursor is on: the line's text, and barlist's column there.
export function cursorColumn(state) {
  const head = state.selection.main.head;
  const line = state.doc.lineAt(head);
  return { line, column: byteColumn(line.text, head - line.from) };
}

export function ruler() {
  return showPanel.of((view) => {
    const dom = document.createElement('div');
    dom.className = 'cm-ruler';
    dom.setAttribute('aria-hidden', 'true');
    const inner = document.createElement('div');
    inner.className = 'cm-ruler-inner';
    const tens = document.createElement('div');
    tens.textContent = tensRow();
    const fields = document.createElement('div');
    const labels = document.createElement('div');
    labels.className = 'labels';
    inner.append(tens, fields, labels);
    dom.append(inner);
    let shown = null; // the fields drawn
    let parts = []; // their spans in both rows, side by side

    // The spans are made again only when the line's fields change; as the
    // cursor moves along a card, only the mark of the current field moves.
    function drawFields() {
      const { line, column } = cursorColumn(view.state);
      const spans = cardFields(line.text);
      if (spans !== shown) {
        shown = spans;
        const row = (text) =>
          spans.map((span, index) => {
            const part = document.createElement('span');
            part.textContent = text(span);
            part.className = span.name ? `field field-${index % 2}` : 'unread';
            if (span.listed) part.classList.add('listed');
            part.title = span.note ? `${span.says} · ${span.note}` : span.says;
            return part;
          });
        const numbers = row((span) => digits(span.first, span.last));
        const names = row((span) => label(span));
        fields.replaceChildren(...numbers);
        labels.replaceChildren(...names);
        parts = spans.map((span, index) => [span, numbers[index], names[index]]);
      }
      for (const [span, ...both] of parts) {
        const current = column >= span.first && column <= span.last;
        for (const part of both) if (part.classList.contains('current') !== current) part.classList.toggle('current');
      }
    }

    // Over the text's columns: after the gutter, scrolled with the text.
    // After an edit the widths are read in the editor's measuring, where the
    // page is laid out already; read at once they would lay it out again.
    const measure = () => ({
      gutter: view.dom.querySelector('.cm-gutters')?.offsetWidth ?? 0,
      scroll: view.scrollDOM.scrollLeft,
    });
    const place = ({ gutter, scroll }) => {
      inner.style.marginLeft = `${gutter}px`;
      inner.style.transform = `translateX(${-scroll}px)`;
    };
    const placing = { key: 'ruler', read: measure, write: place };

    view.scrollDOM.addEventListener('scroll', () => place(measure()), { passive: true });
    requestAnimationFrame(() => {
      drawFields();
      place(measure());
    });
    return {
      top: true,
      dom,
      update() {
        drawFields();
        view.requestMeasure(placing);
      },
    };
  });
}

// "bar card · count, columns 13-16 · read as 4600", every part but the
// separators in the engine's words; without the reading while the value
// (`at.reading` undefined) is still to come.
export function describeField(at) {
  if (!at) return '';
  return [at.kind, at.field.says, at.reading ?? at.field.note].filter(Boolean).join(' · ');
}
