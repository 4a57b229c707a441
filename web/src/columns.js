// barlist counts a card's columns in bytes of the deck file (UTF-8 here),
// the editor in characters: the two differ after a character past ASCII.
const encoder = new TextEncoder();

// The column (from 1) of barlist at character offset `offset` of a line.
export function byteColumn(lineText, offset) {
  return encoder.encode(lineText.slice(0, offset)).length + 1;
}

// The character offset at which barlist's column `column` starts, or the end
// of the line when the line is shorter.
export function offsetOfColumn(lineText, column) {
  let bytes = 0;
  let offset = 0;
  for (const char of lineText) {
    if (bytes + 1 >= column) return offset;
    bytes += encoder.encode(char).length;
    offset += char.length;
  }
  return offset;
}
