// The page's own logic under node's test runner: a deck's bytes through the
// editor and back and to the engine, the Tab stops of a card, a paste over
// cards, the hints kept on their cards while the text changes.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { EditorState } from '../../web/node_modules/@codemirror/state/dist/index.js';
import { byteColumn, offsetOfColumn, setColumnEncoding } from '../../web/src/columns.js';
import { DeckFile } from '../../web/src/deck_file.js';
import { deckLines, decodeDeck, encodeDeck, encodeText, unencodable } from '../../web/src/encoding.js';
import { fieldStops, nextStop, previousStop, stopFields } from '../../web/src/field_stops.js';
import { packHints, unpackHints } from '../../web/src/engine.js';
import { barHints, hintPlaces, setHints } from '../../web/src/hints.js';
import { overwriteChanges } from '../../web/src/overwrite_paste.js';

const bytes = (...parts) => Uint8Array.from(parts.flatMap((part) => (typeof part === 'string' ? [...Buffer.from(part, 'latin1')] : part)));

test('a deck goes through the editor and back to the same bytes', () => {
  const cases = [
    ['LF, UTF-8', bytes('*B06 S', [0xc3, 0x9c], 'D\nZ\n'), 'utf-8', '\n', false, 3],
    ['Latin-1', bytes('*B06 S', [0xdc], 'D\nZ\n'), 'latin1', '\n', false, 3],
    ['CRLF', bytes('A\r\nB\r\n'), 'utf-8', '\r\n', false, 3],
    ['bare CR', bytes('A\rB\rZ'), 'utf-8', '\r', false, 3],
    ['a CR before LF in an LF deck stays in its line', bytes('A\nB\r\nC'), 'utf-8', '\n', true, 3],
    ['a byte-order mark is kept', bytes([0xef, 0xbb, 0xbf], 'Z\n'), 'utf-8', '\n', false, 2],
    ['no line end', bytes('Z'), 'utf-8', '\n', false, 1],
  ];
  for (const [name, file, encoding, lineEnd, mixed, lines] of cases) {
    const decoded = decodeDeck(file);
    assert.deepEqual([decoded.encoding, decoded.lineEnd, decoded.mixed], [encoding, lineEnd, mixed], name);
    assert.equal(deckLines(decoded).length, lines, name);
    assert.deepEqual(encodeDeck(deckLines(decoded), decoded), file, name);
  }
  // A deck that mixes CRLF first with LF is written with CRLF throughout.
  const mixed = decodeDeck(bytes('A\r\nB\nC'));
  assert.equal(Buffer.from(encodeDeck(deckLines(mixed), mixed)).toString(), 'A\r\nB\r\nC');
  // A long text encoded by its pieces, again after edits, gives the same bytes.
  for (const format of [{ encoding: 'utf-8', lineEnd: '\r\n' }, { encoding: 'latin1', lineEnd: '\n' }]) {
    const cache = new WeakMap();
    let state = EditorState.create({ doc: Array.from({ length: 3000 }, (_, i) => `C SÜD ${i}`).join('\n') });
    for (const changes of [[], { from: 0, insert: 'K\n' }, { from: 20000, to: 20030, insert: 'Ü' }, { from: 5, to: 9 }]) {
      state = state.update({ changes }).state;
      assert.deepEqual(encodeText(state.doc, format, cache), encodeDeck(state.doc.toJSON(), format), format.encoding);
    }
  }
  // A check is given bytes to move to its engine: never the file's own, nor those kept for saving.
  const deck = new DeckFile(() => {});
  const view = { state: EditorState.create({ extensions: deck.extensions() }) };
  view.dispatch = (change) => (view.state = view.state.update(change).state);
  const move = (array) => structuredClone(array, { transfer: [array.buffer] });
  const file = bytes('*B06 S', [0xdc], 'D\r\nZ\r\n');
  deck.open(view, 'sud.deck', file.slice());
  move(deck.bytesToMove(view));
  assert.deepEqual(deck.bytesOf(view), file);
  const edit = view.state.update({ changes: { from: 0, insert: 'C\n' } });
  view.state = edit.state;
  deck.changed({ transactions: [edit] });
  const kept = deck.bytesOf(view);
  move(deck.bytesToMove(view));
  assert.deepEqual(kept, bytes('C\r\n*B06 S', [0xdc], 'D\r\nZ\r\n'));
  assert.deepEqual(deck.bytesOf(view), kept);
  assert.equal(unencodable('SÜD', 'latin1'), null);
  assert.equal(unencodable('S€D', 'latin1'), '€');
  assert.equal(unencodable('S€D', 'utf-8'), null);
});

test('columns count the bytes of the deck encoding', () => {
  setColumnEncoding('utf-8');
  assert.equal(byteColumn(' SÜD', 3), 5);
  assert.equal(offsetOfColumn(' SÜDX', 5), 3);
  setColumnEncoding('latin1');
  assert.equal(byteColumn(' SÜD', 3), 4);
  assert.equal(offsetOfColumn(' SÜDX', 5), 4);
  setColumnEncoding('utf-8');
});

test('Tab stops at the fields a card uses, the length once', () => {
  const bar = [
    ['kind', 1, 1], ['size', 2, 3], ['mark', 4, 6], ['length in hundreds of mm', 7, 10], ['length in mm', 11, 12],
    ['count', 13, 16], ['', 17, 22], ['bar type', 23, 24], ['angle', 78, 80],
  ].map(([name, first, last]) => ({ name, first, last }));
  const stops = fieldStops(bar);
  assert.deepEqual(stops, [1, 2, 4, 7, 13, 23, 78]);
  // Columns only the bar table lists (a vary bar card's 7-12) are no stop.
  assert.deepEqual(fieldStops([...bar.slice(0, 3), { name: 'length in hundreds of mm', first: 7, last: 10, listed: true },
    { name: 'length in mm', first: 11, last: 12, listed: true }, bar[5]]), [1, 2, 4, 13]);
  assert.deepEqual(stopFields(bar)[3], { name: 'length in hundreds of mm', first: 7, last: 12 });
  const moves = [[1, 2, null], [5, 7, 4], [13, 23, 7], [17, 23, 13], [78, null, 23], [80, null, 78]];
  for (const [column, next, previous] of moves) {
    assert.equal(nextStop(stops, column), next, `Tab from ${column}`);
    assert.equal(previousStop(stops, column), previous, `Shift+Tab from ${column}`);
  }
});

test('a paste in overwrite mode overwrites cards and stops at column 80', () => {
  const paste = (doc, cursor, text) => {
    const state = EditorState.create({ doc, selection: { anchor: cursor } });
    const transaction = overwriteChanges(state, text);
    const after = state.update(transaction).state;
    return [after.doc.toString(), after.selection.main.head];
  };
  assert.deepEqual(paste('ABCDEF\nGHI', 1, 'xy'), ['AxyDEF\nGHI', 3]);
  assert.deepEqual(paste('ABC\nGHIJ', 2, 'xyz\nuv'), ['ABxyz\nuvIJ', 8]);
  assert.deepEqual(paste('AB', 2, 'x\ny\nz'), ['ABx\ny\nz', 7]);
  assert.deepEqual(paste('A'.repeat(78), 78, 'xyz'), ['A'.repeat(78) + 'xy', 80]);
  assert.deepEqual(paste('A'.repeat(80), 80, 'xyz'), ['A'.repeat(80), 80]);
});

test('hints stay on their cards as lines come and go, and only those in sight are placed', () => {
  const hint = (line) => ({ line, length: `${line}00 mm`, weight: `${line}.0 kg` });
  let state = EditorState.create({ doc: 'A\n 16B01\nC\n 16B02\nZ', extensions: barHints });
  state = state.update({ effects: setHints.of([hint(2), hint(4)]) }).state;
  const placed = (ranges = [{ from: 0, to: state.doc.length }]) =>
    hintPlaces(state, ranges).map(({ at, text }) => [state.doc.lineAt(at).number, text]);
  assert.deepEqual(placed(), [[2, '200 mm · 2.0 kg'], [4, '400 mm · 4.0 kg']]);
  const edits = [
    ['a card inserted above', { from: 0, insert: 'K\n' }, [[3, '200 mm · 2.0 kg'], [5, '400 mm · 4.0 kg']]],
    ['Enter at the end of a card', { from: 10, insert: '\n' }, [[3, '200 mm · 2.0 kg'], [6, '400 mm · 4.0 kg']]],
    ['a line removed', { from: 0, to: 2 }, [[2, '200 mm · 2.0 kg'], [5, '400 mm · 4.0 kg']]],
  ];
  for (const [name, changes, expected] of edits) {
    state = state.update({ changes }).state;
    assert.deepEqual(placed(), expected, name);
  }
  const line5 = state.doc.line(5);
  assert.deepEqual(placed([{ from: line5.from, to: line5.to }]), [[5, '400 mm · 4.0 kg']]);
  assert.equal(hintPlaces(state, [])[0], undefined);
  // The gap puts each hint two columns past column 80.
  assert.equal(hintPlaces(state, [{ from: 0, to: state.doc.length }])[0].gap, 82 - ' 16B01'.length);
  // Packed as a check sends them, the same hints are placed alike and open to the same objects.
  const texts = new TextEncoder().encode('200 mm\t2.0 kg\n400 mm\t4.0 kg\n');
  const packed = packHints(new Float64Array([2, 200, 2, 5, 400, 4]), texts);
  const expected = placed();
  state = state.update({ effects: setHints.of(packed) }).state;
  assert.deepEqual(placed(), expected);
  assert.deepEqual(unpackHints(packed)[1], { line: 5, length_mm: 400, weight_kg: 4, length: '400 mm', weight: '4.0 kg' });
});
