// The engine in a worker, so that checking a large deck never holds up the
// editor. The engine's own source comes first in the worker's script and
// defines createBarlistEngine.
/* global createBarlistEngine */
import { loadEngine } from './engine.js';

const ready = loadEngine(createBarlistEngine);

self.onmessage = async ({ data }) => {
  try {
    const engine = await ready;
    const started = performance.now();
    const result = engine.run(data.deck, data.options);
    result.engineMs = performance.now() - started;
    const buffers = Object.values(result.files)
      .filter(Boolean)
      .map((bytes) => bytes.buffer);
    self.postMessage({ id: data.id, result }, buffers);
  } catch (error) {
    // An engine that aborted (out of memory) is not used again.
    self.postMessage({ id: data.id, error: String((error && error.message) || error), dead: true });
  }
};
