// The language server's speed as an editor sees it, on a 2,000-card deck:
// from each of 20 changes to its diagnostics, and hovers; the server's peak
// memory. Not a test: it prints figures. On a busy machine, `chrt -f 10`
// before `node` measures the server rather than its neighbours.
//   node bench/lsp_bench.mjs build-web/barlist-lsp.js DECK
import { readFileSync } from 'node:fs';
import { Client } from '../tests/lsp/client.mjs';

const [server, deckFile] = process.argv.slice(2);
const text = readFileSync(deckFile, 'utf8');
const uri = 'file:///bench.deck';
const median = (values) => [...values].sort((a, b) => a - b)[values.length >> 1];

const client = new Client(server);
await client.start();
let published = client.diagnostics(uri, 1);
client.notify('textDocument/didOpen', { textDocument: { uri, languageId: 'barlist', version: 1, text } });
await published;

// Each change types one digit into the count of a bar card (columns 13-16).
const cards = text.split('\n');
const bars = cards.flatMap((card, line) => (card.startsWith(' ') && card.length > 16 ? [line] : []));
const changes = [];
for (let version = 2; version < 22; ++version) {
  const line = bars[(version * 37) % bars.length];
  const range = { start: { line, character: 15 }, end: { line, character: 16 } };
  published = client.diagnostics(uri, version);
  const sent = performance.now();
  client.notify('textDocument/didChange', { textDocument: { uri, version }, contentChanges: [{ range, text: String(version % 10) }] });
  changes.push((await published).at - sent);
}

const hovers = [];
for (let i = 0; i < 20; ++i) {
  const sent = performance.now();
  const answer = await client.request('textDocument/hover', { textDocument: { uri }, position: { line: bars[i], character: 14 } });
  hovers.push(answer.at - sent);
}
const status = readFileSync(`/proc/${client.child.pid}/status`, 'utf8');
const peak = Number(/VmHWM:\s+(\d+)/.exec(status)[1]) / 1024;
console.log(`${cards.length - 1} cards: diagnostics after a change ${median(changes).toFixed(1)} ms median ` +
  `(${Math.max(...changes).toFixed(1)} ms at most), hover ${median(hovers).toFixed(2)} ms median, ` +
  `server peak RSS ${peak.toFixed(0)} MB`);
await client.stop();
