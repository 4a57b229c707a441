// barlist counts a card's columns in bytes of the deck file, the editor in
// characters: the two differ after a character past ASCII in a UTF-8 deck.
// The deck's encoding is set when a deck is opened.
import { charBytes } from './encoding.js';

let deckEncoding = 'utf-8';

export function setColumnEncoding(encoding) {
  deckEncoding = encoding;
}

// The card columns one character takes.
export const columnBytes = (char) => charBytes(char, deckEncoding);

// The column (from 1) of barlist at character offset `offset` of a line.
export function byteColumn(lineText, offset) {
  let bytes = 0;
  for (const char of lineText.slice(0, offset)) bytes += charBytes(char, deckEncoding);
  return bytes + 1;
}

// The character offset at which barlist's column `column` starts, or the end
// of the line when the line is shorter.
export function offsetOfColumn(lineText, column) {
  let bytes = 0;
  let offset = 0;
  for (const char of lineText) {
    if (bytes + 1 >= column) return offset;
    bytes += charBytes(char, deckEncoding);
    offset += char.length;
  }
  return offset;
}

// A line of a Latin-1 deck for the engine's calls that take text (sent as
// UTF-8): a byte past ASCII stands as "?", one column, so that the columns
// after it stay where the card has them.
export function columnText(lineText) {
  return deckEncoding === 'latin1' ? lineText.replace(/[^\x00-\x7f]/g, '?') : lineText;
}
