// A small client of the protocol for the tests and the benchmark: starts the
// server, frames messages, and waits for answers and notifications.
import { spawn } from 'node:child_process';

export class Client {
  constructor(server, args = []) {
    this.child = spawn(process.execPath, [server, ...args], { stdio: ['pipe', 'pipe', 'inherit'] });
    this.buffer = Buffer.alloc(0);
    this.nextId = 1;
    this.answers = new Map();
    this.notifications = [];
    this.waiters = [];
    this.exited = new Promise((resolve) => this.child.on('exit', (code) => resolve(code)));
    this.child.stdout.on('data', (chunk) => this.read(chunk));
  }

  read(chunk) {
    this.buffer = Buffer.concat([this.buffer, chunk]);
    for (;;) {
      const end = this.buffer.indexOf('\r\n\r\n');
      if (end === -1) return;
      const length = Number(/Content-Length: (\d+)/i.exec(this.buffer.subarray(0, end).toString())[1]);
      if (this.buffer.length < end + 4 + length) return;
      const message = JSON.parse(this.buffer.subarray(end + 4, end + 4 + length).toString('utf8'));
      this.buffer = this.buffer.subarray(end + 4 + length);
      message.at = performance.now();
      if (message.id !== undefined && !message.method) this.answers.get(message.id)?.(message);
      else this.notifications.push(message);
      this.waiters = this.waiters.filter((waiter) => !waiter(message));
    }
  }

  raw(bytes) {
    this.child.stdin.write(bytes);
  }

  send(message) {
    const body = Buffer.from(JSON.stringify({ jsonrpc: '2.0', ...message }), 'utf8');
    this.raw(Buffer.concat([Buffer.from(`Content-Length: ${body.length}\r\n\r\n`), body]));
  }

  // The whole answer {result} or {error}.
  request(method, params) {
    const id = this.nextId++;
    const answer = new Promise((resolve) => this.answers.set(id, resolve));
    this.send({ id, method, params });
    return answer;
  }

  notify(method, params) {
    this.send({ method, params });
  }

  // The first notification from now on that `test` accepts.
  next(test) {
    return new Promise((resolve) => this.waiters.push((m) => m.method && test(m) && (resolve(m), true)));
  }

  diagnostics(uri, version) {
    return this.next((m) => m.method === 'textDocument/publishDiagnostics' && m.params.uri === uri &&
      (version === undefined || m.params.version === version));
  }

  async start() {
    const answer = await this.request('initialize', { processId: null, rootUri: null, capabilities: {} });
    this.notify('initialized', {});
    return answer;
  }

  async stop() {
    await this.request('shutdown');
    this.notify('exit');
    return this.exited;
  }
}
