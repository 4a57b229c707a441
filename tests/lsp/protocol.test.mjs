// The language server at the protocol's level: inlay hints, "fix all" and
// formatting (on an engine whose findings carry fixes, and on the real one
// against barlist --fix), and bad input.
//   node --test tests/lsp/  (BARLIST_LSP=build-web/barlist-lsp.js, BARLIST_NATIVE=build/barlist)
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { TextDocument } from '../../web/node_modules/vscode-languageserver-textdocument/lib/esm/main.js';
import { Client } from './client.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const server = process.env.BARLIST_LSP || join(here, '../../build-web/barlist-lsp.js');
const pierCap = readFileSync(join(here, '../../examples/pier-cap.deck'), 'utf8');
const uri = 'file:///work/deck.deck';
const whole = { start: { line: 0, character: 0 }, end: { line: 9999, character: 0 } };

async function opened(path, text) {
  const client = new Client(path);
  await client.start();
  const published = client.diagnostics(uri);
  client.notify('textDocument/didOpen', { textDocument: { uri, languageId: 'barlist', version: 1, text } });
  return { client, diagnostics: (await published).params.diagnostics };
}

const applied = (text, edits) => TextDocument.applyEdits(TextDocument.create(uri, 'barlist', 1, text), edits);

test('inlay hints: length and weight at the end of each bar card asked about', async () => {
  const { client } = await opened(server, pierCap);
  const range = { start: { line: 0, character: 0 }, end: { line: 9, character: 0 } };
  const { result } = await client.request('textDocument/inlayHint', { textDocument: { uri }, range });
  const lines = pierCap.split('\n');
  const bars = lines.slice(0, 10).flatMap((card, line) => (card.startsWith(' ') ? [line] : []));
  assert.deepEqual(result.map((h) => h.position), bars.map((line) => ({ line, character: lines[line].length })));
  for (const hint of result) assert.match(hint.label, /^\d+ mm, [\d.]+ kg$/);
  await client.stop();
});

const fakeDeck = 'F12  yy\nFü1 yy\nG\nF7   \n';

test('fix all: safe fixes until none is left, overlapping ones after a new check', async () => {
  const { client, diagnostics } = await opened(join(here, 'fake_server.mjs'), fakeDeck);
  // "yy" of the second card, after a letter of two bytes: byte 6 is unit 4.
  assert.deepEqual(diagnostics.filter((d) => d.range.start.line === 1).map((d) => d.range.start.character), [4, 5]);
  const context = { diagnostics: [], only: ['source.fixAll'] };
  const { result } = await client.request('textDocument/codeAction', { textDocument: { uri }, range: whole, context });
  assert.deepEqual(result.map((a) => a.kind), ['source.fixAll']);
  assert.equal(applied(fakeDeck, result[0].edit.changes[uri]), 'F  12ab\nFü1 ab\nG        ZZ\nF   7\n');
  await client.stop();
});

test('formatting takes only the fixes that keep every value; quick fixes each fix', async () => {
  const { client } = await opened(join(here, 'fake_server.mjs'), fakeDeck);
  const format = await client.request('textDocument/formatting', { textDocument: { uri }, options: {} });
  assert.equal(applied(fakeDeck, format.result), 'F  12yy\nFü1 yy\nG\nF   7\n');
  const line = { start: { line: 2, character: 0 }, end: { line: 2, character: 0 } };
  const quick = await client.request('textDocument/codeAction', {
    textDocument: { uri }, range: line, context: { diagnostics: [], only: ['quickfix'] } });
  assert.deepEqual(quick.result.map((a) => [a.isPreferred, applied(fakeDeck, a.edit.changes[uri]).split('\n')[2]]),
    [[true, 'G        ZZ'], [false, 'H']]);
  await client.stop();
});

const native = process.env.BARLIST_NATIVE;
const withNative = { timeout: 20000, skip: !(native && existsSync(native)) && 'no native barlist' };
test('fix all after an edit: the deck barlist --fix makes', withNative, async () => {
  const slips = '*B06F001 100FIXES\nUWALL             1\n 16A01003600  12  \nu\n 16A02003600 4 3\n'
    + ' 16A03002500\t  3\nZ\n';
  const { client } = await opened(server, 'Z\n');
  // The edit's own diagnostics, with its version: the check follows every change.
  const published = client.diagnostics(uri, 2);
  client.notify('textDocument/didChange', { textDocument: { uri, version: 2 }, contentChanges: [{
    range: { start: { line: 0, character: 0 }, end: { line: 0, character: 0 } }, text: slips.slice(0, -2) }] });
  assert.ok((await published).params.diagnostics.length > 0);
  const context = { diagnostics: [], only: ['source.fixAll'] };
  const { result } = await client.request('textDocument/codeAction', { textDocument: { uri }, range: whole, context });
  const folder = mkdtempSync(join(tmpdir(), 'barlist-lsp-'));
  try {
    writeFileSync(join(folder, 'd.deck'), slips);
    spawnSync(native, ['--fix', '-q', 'd.deck'], { cwd: folder }); // status 2: errors no fix mends
    const fixed = readFileSync(join(folder, 'd.deck'), 'utf8');
    assert.notEqual(fixed, slips);
    assert.equal(applied(slips, result[0].edit.changes[uri]), fixed);
  } finally {
    rmSync(folder, { recursive: true });
  }
  await client.stop();
});

// Each bad input, then a request that must still be answered.
const message = (body) => Buffer.concat([Buffer.from(`Content-Length: ${Buffer.byteLength(body)}\r\n\r\n`), Buffer.from(body)]);
const badInputs = [
  ['a header without a colon', (c) => c.raw('Content-Length 12\r\n\r\n')],
  ['a length that is not a number', (c) => c.raw('Content-Length: twelve\r\n\r\n')],
  ['a body that is not JSON', (c) => c.raw(message('{"jsonrpc": "2.0", "id": 9, "meth'))],
  ['bytes that are not UTF-8', (c) => {
    const body = Buffer.from('{"jsonrpc":"2.0","method":"textDocument/didOpen","params":{"textDocument":'
      + '{"uri":"file:///l.deck","languageId":"barlist","version":1,"text":"S\xdcD"}}}', 'latin1');
    c.raw(Buffer.concat([Buffer.from(`Content-Length: ${body.length}\r\n\r\n`), body]));
  }],
  ['a 20 MB document', (c) => c.notify('textDocument/didOpen', { textDocument: {
    uri: 'file:///big.deck', languageId: 'barlist', version: 1, text: `${' 16S01        61      2533  1400  1700\n'.repeat(520000)}Z\n` } })],
];

for (const [name, send] of badInputs) {
  test(`bad input: ${name} is told and harmless`, async () => {
    const { client } = await opened(server, pierCap);
    const logged = client.notifications.length;
    send(client);
    const hover = await client.request('textDocument/hover', { textDocument: { uri }, position: { line: 6, character: 2 } });
    assert.match(hover.result.contents.value, /bar card/);
    if (!name.includes('UTF-8') && !name.includes('20 MB')) {
      assert.ok(client.notifications.slice(logged).some((m) => m.method === 'window/logMessage'));
    }
    assert.equal(await client.stop(), 0);
  });
}

test('bad input: requests out of order and unknown methods have error answers', async () => {
  const client = new Client(server);
  const early = await client.request('textDocument/hover', { textDocument: { uri }, position: { line: 0, character: 0 } });
  assert.equal(early.error.code, -32002);
  await client.start();
  assert.equal((await client.request('initialize', { capabilities: {} })).error.code, -32600);
  assert.equal((await client.request('barlist/unknown', {})).error.code, -32601);
  await client.request('shutdown');
  const late = await client.request('textDocument/hover', { textDocument: { uri }, position: { line: 0, character: 0 } });
  assert.equal(late.error.code, -32600);
  client.notify('exit');
  assert.equal(await client.exited, 0);
});
