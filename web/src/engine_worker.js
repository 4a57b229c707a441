// The page's requests go to the engine in a worker, one at a time: checks in
// turn, and the field at the cursor before any check still waiting. A worker whose
// engine failed (out of memory, or a run past the time limit) is replaced, so
// the page stays usable whatever the deck.
//
// Answers without reports come back on a broadcast channel of the worker's
// own: Chromium holds a worker's messages, as it holds timers, until the
// frame after a key is drawn, and an answer ready before that frame would be
// shown a frame late. The worker answers there only once the page has heard
// it there (a browser may keep such channels apart); until then, and for
// reports, whose bytes are moved rather than copied, by the worker's port.
// An answer whose hints are those of the last answer without reports comes
// without them, and is given them here.
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
    this.hints = null; // the hints of its last answer without reports, which a later one may keep
    this.worker.onmessage = ({ data }) => this.finish(data);
    if (typeof BroadcastChannel === 'function') {
      const name = `barlist-engine-${Math.random().toString(36).slice(2)}-${Date.now()}`;
      this.channel = new BroadcastChannel(name);
      this.channel.onmessage = ({ data }) => {
        if (data.heard) this.worker.postMessage({ channelHeard: true });
        else this.finish(data);
      };
      this.worker.postMessage({ channel: name });
    }
    this.worker.onerror = (event) => {
      event.preventDefault();
      this.finish({ error: event.message || 'the engine stopped', dead: true });
    };
  }

  // The new engine starts in a task of its own (or at once when a request
  // waits): starting a worker holds the page's thread for a millisecond or
  // more, which a key whose check is on its way should not wait for.
  restart() {
    this.worker.terminate();
    this.worker = null;
    if (this.channel) this.channel.close(); // an answer of the old engine is not taken
    this.channel = null;
    setTimeout(() => {
      if (!this.worker) this.start();
    });
  }

  request(message, first, transfer = []) {
    return new Promise((resolve, reject) => {
      const request = { message: { id: this.nextId++, ...message }, transfer, resolve, reject };
      if (first) this.queue.unshift(request);
      else this.queue.push(request);
      this.pump();
    });
  }

  // `move`: the deck's bytes (a Uint8Array of a buffer of its own) go to the
  // worker rather than a copy, and are no longer the caller's to read.
  check(deck, options, { move = false } = {}) {
    return this.request({ deck, options }, false, move && deck instanceof Uint8Array ? [deck.buffer] : []);
  }

  // Stops the request under way, if any (it fails as cancelled), by a new
  // engine; those waiting go to it.
  cancel() {
    if (this.current) this.finish({ error: 'cancelled', dead: true, cancelled: true });
  }

  version() {
    return this.request({ version: true }, true);
  }

  fieldAt(line, column) {
    return this.request({ fieldAt: { line, column } }, true);
  }

  compare(before, after, names) {
    return this.request({ compare: { before, after, names } }, false);
  }

  pump() {
    if (this.current || this.queue.length === 0) return;
    if (!this.worker) this.start();
    this.current = this.queue.shift();
    this.timer = setTimeout(() => this.finish({ error: 'the check took too long', dead: true }), TIME_LIMIT_MS);
    this.worker.postMessage(this.current.message, this.current.transfer);
  }

  finish(data) {
    const request = this.current;
    // (an answer of a worker since replaced, or of a request since stopped)
    if (!request || (data.id !== undefined && data.id !== request.message.id)) return;
    clearTimeout(this.timer);
    this.current = null;
    if (data.dead) this.restart();
    const answer = data.result;
    if (answer && answer.hints === null) answer.hints = this.hints;
    else if (answer && answer.hints && !request.message.options?.products) this.hints = answer.hints;
    if (data.error) request.reject(Object.assign(new Error(data.error), { cancelled: Boolean(data.cancelled) }));
    else request.resolve(data.result);
    this.pump();
  }
}
