// One instance of the WebAssembly engine and its calls. The engine runs the
// command line itself (`barlist --force --json --csv DECK QTY TAB`) on a deck
// held in its in-memory file system, so every byte it returns is what the
// native program writes.
import { diagnosticsOf } from './diagnostics.js';
import { hintsOf, weightsOf } from './record_views.js';

const EXTENSIONS = { quantities: '.qty', barTable: '.tab', json: '.json', csv: '.csv' };
const utf8 = new TextDecoder('utf-8');

// The deck's file name as barlist will print it: a plain name, no folder.
export function deckFileName(name) {
  const base = String(name || '').split(/[\\/]/).pop().replace(/[^\w.+-]/g, '_');
  return base && base !== '.' && base !== '..' ? base : 'deck.txt';
}

function stemOf(name) {
  const dot = name.lastIndexOf('.');
  return dot > 0 ? name.slice(0, dot) : name;
}

// A run's files as text too, each decoded when first read: a run in the
// worker sends the bytes alone, and a page that never reads the JSON record
// or the CSV schedule as text does not pay for them.
export function withTexts(result) {
  for (const key of Object.keys(EXTENSIONS)) {
    let text;
    Object.defineProperty(result, key, {
      enumerable: true,
      get: () => (text ??= result.files[key] ? utf8.decode(result.files[key]) : ''),
    });
  }
  return result;
}

export async function loadEngine(createEngine) {
  const module = await createEngine({ print() {}, printErr() {} });
  const { FS } = module;
  FS.mkdir('/decks');
  FS.chdir('/decks');

  function take(path) {
    try {
      const bytes = FS.readFile(path);
      FS.unlink(path);
      return bytes;
    } catch {
      return null;
    }
  }

  function run(deckText, options = {}) {
    const name = deckFileName(options.name);
    const stem = stemOf(name);
    const epoch = options.epoch === undefined || options.epoch === null ? '' : String(Math.trunc(options.epoch));
    FS.writeFile(name, typeof deckText === 'string' ? new TextEncoder().encode(deckText) : deckText);
    const status = module.ccall('barlist_run', 'number', ['string', 'string', 'string'], [name, stem, epoch]);
    const stderr = module.UTF8ToString(module._barlist_stderr());
    take(name);
    const files = {};
    const result = { status, stderr, name, files };
    for (const [key, extension] of Object.entries(EXTENSIONS)) files[key] = take(stem + extension);
    const record = files.json ? JSON.parse(utf8.decode(files.json)) : null;
    Object.assign(result, diagnosticsOf({ record, stderr, status, name }));
    result.hints = hintsOf(record);
    result.problems = record ? weightsOf(record) : null;
    return result;
  }

  // What barlist reads at `column` (from 1, in bytes) of one deck line.
  function fieldAt(lineText, column) {
    const line = String(lineText).slice(0, 200);
    return JSON.parse(module.ccall('barlist_field_at', 'string', ['string', 'number'], [line, column]));
  }

  const fieldsByKind = new Map();
  function cardFields(column1) {
    const code = column1 ? column1.charCodeAt(0) & 0xff : 32;
    if (!fieldsByKind.has(code)) {
      fieldsByKind.set(code, JSON.parse(module.ccall('barlist_card_fields', 'string', ['number'], [code])));
    }
    return fieldsByKind.get(code);
  }

  return { version: module.UTF8ToString(module._barlist_version()), run, fieldAt, cardFields };
}
