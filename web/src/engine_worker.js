// The page's runs go to the engine in a worker, one at a time. A worker whose
// engine failed (out of memory, or a run past the time limit) is replaced, so
// the page stays usable whatever the deck.
const TIME_LIMIT_MS = 60000;

export class EngineWorker {
  constructor(scriptText) {
    this.url = URL.createObjectURL(new Blob([scriptText], { type: 'text/javascript' }));
    this.queue = [];
    this.current = null;
    this.nextId = 1;
    this.start();
  }

  start() {
    this.worker = new Worker(this.url);
    this.worker.onmessage = ({ data }) => this.finish(data);
    this.worker.onerror = (event) => {
      event.preventDefault();
      this.finish({ error: event.message || 'the engine stopped', dead: true });
    };
  }

  restart() {
    this.worker.terminate();
    this.start();
  }

  run(deck, options) {
    return new Promise((resolve, reject) => {
      this.queue.push({ id: this.nextId++, deck, options, resolve, reject });
      this.pump();
    });
  }

  pump() {
    if (this.current || this.queue.length === 0) return;
    this.current = this.queue.shift();
    const { id, deck, options } = this.current;
    this.timer = setTimeout(() => this.finish({ error: 'the check took too long', dead: true }), TIME_LIMIT_MS);
    this.worker.postMessage({ id, deck, options });
  }

  finish(data) {
    const request = this.current;
    if (!request) return;
    clearTimeout(this.timer);
    this.current = null;
    if (data.dead) this.restart();
    if (data.error) request.reject(new Error(data.error));
    else request.resolve(data.result);
    this.pump();
  }
}
