// One engine instance for every document, replaced when it fails or when
// its memory has grown past the limit: WebAssembly memory never shrinks, so
// one large deck would otherwise keep it for the rest of the session.
import { loadEngine } from '../src/engine.js';

export const MEMORY_LIMIT_BYTES = 192 * 1024 * 1024;

export class EngineHost {
  constructor(createEngine, log, load) {
    this.createEngine = createEngine;
    this.log = log;
    this.load = load || loadEngine;
    this.restarts = 0;
    this.ready = this.start();
  }

  start() {
    this.module = null;
    const capture = async (options) => {
      this.module = await this.createEngine(options);
      return this.module;
    };
    return this.load(capture);
  }

  memoryBytes() {
    const heap = this.module && this.module.HEAP8;
    return heap ? heap.buffer.byteLength : 0;
  }

  async restart(reason) {
    this.log(`barlist-lsp: engine restarted (${reason})`);
    ++this.restarts;
    this.ready = this.start();
    await this.ready;
  }

  // `ask(engine)` on the engine; null when the engine failed on it.
  async use(ask) {
    const engine = await this.ready;
    let answer = null;
    try {
      answer = ask(engine);
    } catch (error) {
      await this.restart(`it failed: ${(error && error.message) || error}`);
      return null;
    }
    const bytes = this.memoryBytes();
    if (bytes > MEMORY_LIMIT_BYTES) await this.restart(`its memory reached ${Math.round(bytes / 1048576)} MB`);
    return answer;
  }

  get version() {
    return this.ready.then((engine) => engine.version);
  }
}
