// The engine in a worker, so that checking a large deck never holds up the
// editor. The engine's own source comes first in the worker's script and
// defines createBarlistEngine. A request is a check (with its products:
// reports, exports and weights, when asked), or the field at a column of a
// line.
/* global createBarlistEngine */
import { loadEngine } from './engine.js';

const ready = loadEngine(createBarlistEngine);
const PRODUCTS = ['quantities', 'bar_table', 'json', 'csv'];
let offered = null; // the page's channel for answers without reports
let channel = null; // the same, once the page has heard on it
let hintsSent = null; // the hints of the last answer without reports

// Two checks' packed hints: the same lines, figures and texts.
function sameHints(a, b) {
  if (!a || a.numbers.length !== b.numbers.length || a.texts.length !== b.texts.length) return false;
  for (let i = 0; i < a.numbers.length; i++) if (a.numbers[i] !== b.numbers[i]) return false;
  for (let i = 0; i < a.texts.length; i++) if (a.texts[i] !== b.texts[i]) return false;
  return true;
}

function reply(message) {
  if (channel) channel.postMessage(message);
  else self.postMessage(message);
}

self.onmessage = async ({ data }) => {
  if (data.channel) {
    offered = new BroadcastChannel(data.channel);
    offered.postMessage({ heard: true });
    return;
  }
  if (data.channelHeard) {
    channel = offered;
    return;
  }
  try {
    const engine = await ready;
    if (data.version) {
      reply({ id: data.id, result: engine.version });
      return;
    }
    if (data.compare) {
      const { before, after, names } = data.compare;
      reply({ id: data.id, result: engine.compare(before, after, names) });
      return;
    }
    if (data.fieldAt) {
      reply({ id: data.id, result: engine.fieldAt(data.fieldAt.line, data.fieldAt.column) });
      return;
    }
    const started = performance.now();
    const { products, ...options } = data.options;
    const asked = products ? { reports: true, json: true, csv: true, weights: true } : {};
    const answer = engine.check(data.deck, { ...options, ...asked, packedHints: true });
    answer.engineMs = performance.now() - started;
    if (!products) {
      // Most keys change no hint: the page is told to keep those it holds.
      if (sameHints(hintsSent, answer.hints)) answer.hints = null;
      else hintsSent = answer.hints;
      reply({ id: data.id, result: answer });
      return;
    }
    const buffers = PRODUCTS.filter((key) => answer[key]).map((key) => answer[key].buffer);
    buffers.push(answer.hints.numbers.buffer, answer.hints.texts.buffer, answer.hints.starts.buffer);
    self.postMessage({ id: data.id, result: answer }, buffers);
  } catch (error) {
    // An engine that aborted (out of memory) is not used again.
    reply({ id: data.id, error: String((error && error.message) || error), dead: true });
  }
};
