// One instance of the WebAssembly engine and its calls, for the page's
// worker and for any program on node (a language server). A plain ES module:
// no DOM. Every rule is the engine's; this module only carries bytes across.
//
//   const engine = await loadEngine(createBarlistEngine);
//   engine.version                       "1.2.0"
//   engine.check(deckBytes, options)     deckBytes: Uint8Array (or a string, taken as UTF-8)
//     options: {name = 'deck', epoch (seconds, UTC; else the machine's clock), check_only, strict,
//               reports, json, csv, weights,   (the products wanted; reports never under check_only)
//               packedHints}   (the hints as {numbers, texts, starts}, typed arrays quick to send and
//                               read a hint at a time; unpackHints() opens them all)
//     -> {status,                       what the command line would exit with (0, 1 fatal, 2 errors)
//         diagnostics: [{severity,      "error", "warning" or "fatal"
//                        line, column,  from 1; 0 for the whole deck or the whole line
//                        kind,          "error 5", "warning", "error", "fatal error"
//                        message,       "ILLEGAL BAR SIZE (problem P201, unit PIER CAP, bar 11B01)"
//                        card,          the line as read
//                        notes: [{severity: "note", line, column, kind: "note", message}],
//                        fixes: [{line, first_column, last_column, text, safe, keeps_values}]}],
//         summary,                      "1 error, 1 warning; no bar table for problem P201" or ""
//         hints: [{line, length_mm, weight_kg,      each bar-level card worked out
//                  length, weight}],               and as shown: "4600 mm", "640.1 kg"
//         weights?: [{number, title,               each problem's weights, when asked (null
//                     sizes: [{size, bars, length_mm, weight_kg}],   after a fatal stop): texts
//                     bars_kg, lumps_kg, rounding_kg, total_kg, cost}],  ("" where none)
//         quantities?, bar_table?, json?, csv?}    Uint8Array, only when asked (and made)
//   engine.fieldAt(lineBytes, column)   -> {kind, field, value, reading}
//   engine.cardFields(column1)          -> [field], column1 a character or a byte
//     field: {name, first, last, says: "count, columns 13-16", note?: "not read", listed?: true}
//   engine.compare(beforeBytes, afterBytes, {before, after})   the two decks' names
//     -> {differs, lines: [{indent, text, kind, go_to, marked}]}   the text of barlist compare, each
//        line with its card in the new revision (go_to 0: none; marked: that card added or changed)
//        or {error}
const ASKED = { check_only: 1, strict: 2, reports: 4, json: 8, csv: 16, weights: 64 };
const EPOCH_GIVEN = 32;
const PRODUCTS = ['quantities', 'bar_table', 'json', 'csv'];
const LONGEST_LINE = 256; // a card's columns that the engine keeps of a line

const encoder = new TextEncoder();
const decoder = new TextDecoder();
const bytesOf = (data) => (typeof data === 'string' ? encoder.encode(data) : data);

// The deck's file name as barlist will print it: a plain name, no folder.
export function deckFileName(name) {
  const base = String(name || '').split(/[\\/]/).pop().replace(/[^\w.+-]/g, '_');
  return base && base !== '.' && base !== '..' ? base : 'deck.txt';
}

// The hints as objects, from their packed form: three numbers each (line,
// length in mm, weight in kg), and the bytes of their texts, hint i's
// "length\tweight\n" from starts[i] to starts[i + 1].
export function unpackHints({ numbers, texts }) {
  const lines = decoder.decode(texts).split('\n');
  const hints = new Array(numbers.length / 3);
  for (let i = 0; i < hints.length; i++) {
    const [line, length_mm, weight_kg] = numbers.subarray(3 * i, 3 * i + 3);
    const [length, weight] = lines[i].split('\t');
    hints[i] = { line, length_mm, weight_kg, length, weight };
  }
  return hints;
}

// The packed hints of `numbers` and `texts`, with where each text starts
// and where the last one ends.
export function packHints(numbers, texts) {
  const count = numbers.length / 3;
  const starts = new Uint32Array(count + 1);
  let hint = 1;
  for (let at = 0; at < texts.length && hint <= count; at++) if (texts[at] === 10) starts[hint++] = at + 1;
  return { numbers, texts, starts };
}

export async function loadEngine(createEngine) {
  const module = await createEngine({ print() {}, printErr() {} });

  // Calls `use` with the bytes copied into the engine's memory, NUL after them.
  function withBytes(bytes, use) {
    const at = module._malloc(bytes.length + 1);
    try {
      module.HEAPU8.set(bytes, at);
      module.HEAPU8[at + bytes.length] = 0;
      return use(at);
    } finally {
      module._free(at);
    }
  }

  function check(deckBytes, options = {}) {
    const bytes = bytesOf(deckBytes);
    let asked = 0;
    for (const [key, bit] of Object.entries(ASKED)) if (options[key]) asked |= bit;
    const given = options.epoch !== undefined && options.epoch !== null;
    if (given) asked |= EPOCH_GIVEN;
    const name = options.name === undefined ? 'deck' : String(options.name);
    const answer = withBytes(bytes, (at) =>
      JSON.parse(
        module.ccall(
          'barlist_check',
          'string',
          ['number', 'number', 'string', 'number', 'number'],
          [at, bytes.length, name, asked, given ? Math.trunc(options.epoch) : 0],
        ),
      ),
    );
    const first = module._barlist_hints() / 8;
    const count = module._barlist_hint_count();
    const textsAt = module._barlist_hint_texts();
    const texts = module.HEAPU8.slice(textsAt, module.HEAPU8.indexOf(0, textsAt));
    const packed = packHints(module.HEAPF64.slice(first, first + 3 * count), texts);
    answer.hints = options.packedHints ? packed : unpackHints(packed);
    PRODUCTS.forEach((key, which) => {
      const size = module._barlist_product_size(which);
      if (size < 0) return;
      const from = module._barlist_product(which);
      answer[key] = module.HEAPU8.slice(from, from + size);
    });
    return answer;
  }

  function fieldAt(lineBytes, column) {
    const bytes = bytesOf(lineBytes).subarray(0, LONGEST_LINE);
    return withBytes(bytes, (at) =>
      JSON.parse(module.ccall('barlist_field_at', 'string', ['number', 'number'], [at, column])),
    );
  }

  const fieldsByKind = new Map();
  function cardFields(column1) {
    const code = typeof column1 === 'number' ? column1 & 0xff : column1 ? column1.charCodeAt(0) & 0xff : 32;
    if (!fieldsByKind.has(code)) {
      fieldsByKind.set(code, JSON.parse(module.ccall('barlist_card_fields', 'string', ['number'], [code])));
    }
    return fieldsByKind.get(code);
  }

  function compare(beforeBytes, afterBytes, names = {}) {
    const before = bytesOf(beforeBytes);
    const after = bytesOf(afterBytes);
    return withBytes(before, (beforeAt) =>
      withBytes(after, (afterAt) =>
        JSON.parse(
          module.ccall(
            'barlist_compare',
            'string',
            ['number', 'number', 'string', 'number', 'number', 'string'],
            [beforeAt, before.length, String(names.before || 'before'), afterAt, after.length, String(names.after || 'after')],
          ),
        ),
      ),
    );
  }

  return { version: module.UTF8ToString(module._barlist_version()), check, fieldAt, cardFields, compare };
}
