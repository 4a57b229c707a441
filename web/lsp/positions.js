// Where a card's columns are in the editor's text. The protocol counts
// positions in UTF-16 code units, a card counts bytes of its UTF-8 text, and
// barlist ends a card at a line feed alone (a carriage return before it is
// dropped, one elsewhere is part of the card): both ways are worked out here.

// Bytes that the UTF-16 unit at `index` adds to the UTF-8 text, as
// TextEncoder writes it (a lone surrogate becomes the three bytes of U+FFFD),
// and how many units the character takes.
function characterAt(text, index) {
  const unit = text.charCodeAt(index);
  if (unit < 0x80) return [1, 1];
  if (unit < 0x800) return [2, 1];
  if (unit >= 0xd800 && unit < 0xdc00) {
    const next = text.charCodeAt(index + 1);
    if (next >= 0xdc00 && next < 0xe000) return [4, 2];
  }
  return [3, 1];
}

export class DeckLines {
  constructor(text) {
    this.text = text;
    this.starts = [0];
    for (let at = text.indexOf('\n'); at !== -1; at = text.indexOf('\n', at + 1)) this.starts.push(at + 1);
  }

  get count() {
    return this.starts.length;
  }

  // Offsets of the card's text in the document, its line end left out.
  bounds(line) {
    const index = Math.min(Math.max(line, 1), this.count) - 1;
    const start = this.starts[index];
    let end = index + 1 < this.count ? this.starts[index + 1] - 1 : this.text.length;
    if (end > start && index + 1 < this.count && this.text.charCodeAt(end - 1) === 13) --end;
    return [start, end];
  }

  lineText(line) {
    const [start, end] = this.bounds(line);
    return this.text.slice(start, end);
  }

  // The document offset of byte `column` (from 1) of card `line` (from 1):
  // the start of the character that holds it, or the card's end when the
  // card is shorter.
  offsetOf(line, column) {
    const [start, end] = this.bounds(line);
    let bytes = 0;
    let at = start;
    while (at < end) {
      const [size, units] = characterAt(this.text, at);
      if (bytes + size >= column) break;
      bytes += size;
      at += units;
    }
    return at;
  }

  // The offset after the character that starts at `offset`.
  after(offset) {
    return offset + characterAt(this.text, offset)[1];
  }

  // The card (from 1) and byte column (from 1) at a document offset.
  cardAt(offset) {
    let low = 0;
    let high = this.count - 1;
    while (low < high) {
      const middle = (low + high + 1) >> 1;
      if (this.starts[middle] <= offset) low = middle;
      else high = middle - 1;
    }
    const line = low + 1;
    const [start, end] = this.bounds(line);
    let bytes = 0;
    for (let at = start; at < Math.min(offset, end); ) {
      const [size, units] = characterAt(this.text, at);
      bytes += size;
      at += units;
    }
    return { line, column: bytes + 1 + Math.max(0, offset - end) };
  }
}

// The UTF-8 bytes of a card's text, for the engine.
const encoder = new TextEncoder();
export function bytesOf(text) {
  return encoder.encode(text);
}
