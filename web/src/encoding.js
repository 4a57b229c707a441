// A deck file's bytes and the text the editor shows. barlist reads bytes: a
// card's columns are bytes, a line ends at LF (a CR just before it is
// dropped). A file that is valid UTF-8 is shown as UTF-8, any other as
// Latin-1 (one byte, one character), and it goes back to bytes in the
// encoding and with the line end it came in, so that a deck opened and saved
// is the same file.

const LINE_ENDS = { '\n': 'LF', '\r\n': 'CRLF', '\r': 'CR' };
const strictUtf8 = new TextDecoder('utf-8', { fatal: true, ignoreBOM: true });
const utf8Encoder = new TextEncoder();

function latin1Text(bytes) {
  let text = '';
  for (let at = 0; at < bytes.length; at += 0x8000) {
    text += String.fromCharCode(...bytes.subarray(at, at + 0x8000));
  }
  return text;
}

// The line ends of `text` in the order first met, each once.
function lineEndsIn(text) {
  const found = new Set();
  for (const match of text.matchAll(/\r\n|\r|\n/g)) {
    found.add(match[0]);
    if (found.size === 3) break;
  }
  return [...found];
}

// {text, encoding ("utf-8" or "latin1"), lineEnd, mixed}: the deck's text
// with its line ends as they are, the first line end it has (LF when none),
// and whether it has more than one kind.
export function decodeDeck(bytes) {
  let text;
  let encoding = 'utf-8';
  try {
    text = strictUtf8.decode(bytes);
  } catch {
    text = latin1Text(bytes);
    encoding = 'latin1';
  }
  const ends = lineEndsIn(text);
  return { text, encoding, lineEnd: ends[0] || '\n', mixed: ends.length > 1 };
}

// The editor's lines of a decoded deck. With LF the lines end where barlist
// ends them and a stray CR stays in its line, as a character barlist reads;
// a file that starts with CRLF or CR is split at every line end, each
// written back as the first.
export function deckLines({ text, lineEnd }) {
  return text.split(lineEnd === '\n' ? '\n' : /\r\n|\r|\n/);
}

// The first character of `text` that `encoding` cannot hold, or null.
export function unencodable(text, encoding) {
  if (encoding === 'latin1') {
    const match = /[^\x00-\xff]/u.exec(text);
    return match ? match[0] : null;
  }
  const match = /[\ud800-\udbff](?![\udc00-\udfff])|(?<![\ud800-\udbff])[\udc00-\udfff]/.exec(text);
  return match ? match[0] : null;
}

// The bytes of the editor's lines in the deck's encoding and line end.
export function encodeDeck(lines, { encoding, lineEnd }) {
  const text = lines.join(lineEnd);
  if (encoding !== 'latin1') return utf8Encoder.encode(text);
  const bytes = new Uint8Array(text.length);
  for (let at = 0; at < text.length; at++) {
    const code = text.charCodeAt(at);
    bytes[at] = code <= 0xff ? code : 0x3f; // refused when typed; "?" if one came in by script
  }
  return bytes;
}

// The bytes of an editor's text (a CodeMirror Text) as encodeDeck gives
// them: each leaf of the text's tree (whole lines) encoded once and kept in
// `cache` (a WeakMap for this format), so that after an edit only the lines
// around it are encoded again.
export function encodeText(doc, format, cache) {
  const chunks = [];
  const walk = (node) => {
    if (node.children) {
      node.children.forEach(walk);
      return;
    }
    let bytes = cache.get(node);
    if (!bytes) cache.set(node, (bytes = encodeDeck(node.toJSON(), format)));
    chunks.push(bytes);
  };
  walk(doc);
  const end = encodeDeck(['', ''], format);
  const out = new Uint8Array(chunks.reduce((sum, chunk) => sum + chunk.length + end.length, -end.length));
  let at = 0;
  chunks.forEach((chunk, index) => {
    if (index) {
      out.set(end, at);
      at += end.length;
    }
    out.set(chunk, at);
    at += chunk.length;
  });
  return out;
}

// The bytes of one character in `encoding`: a card column each.
export function charBytes(char, encoding) {
  if (encoding === 'latin1') return 1;
  const code = char.codePointAt(0);
  return code < 0x80 ? 1 : code < 0x800 ? 2 : code < 0x10000 ? 3 : 4;
}

// "UTF-8, CRLF" and, for a file with more than one line end, what it is saved with.
export function describeFile({ encoding, lineEnd, mixed }) {
  const name = `${encoding === 'latin1' ? 'Latin-1' : 'UTF-8'}, ${LINE_ENDS[lineEnd]}`;
  if (lineEnd === '\r' && !mixed) return `${name} (barlist reads a file of bare CRs as one line)`;
  if (!mixed) return name;
  if (lineEnd === '\n') return `${name} (the file mixes line ends: a CR before LF stays in its line)`;
  return `${name} (the file mixes line ends: saved with ${LINE_ENDS[lineEnd]} throughout)`;
}
