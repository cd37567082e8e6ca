// The page's only way to the module: the engine and the window's plain C++ run in a Web
// Worker. One long-lived worker answers the calls (the input check, the print lines, whether
// a transcript is of a polynomial); each run of the engine gets a fresh worker of its own, so
// that abandoning a run is terminating its worker.
export const kWorkerUrl = new URL('../engine/engine-worker.js', import.meta.url);

export class ModuleCalls {
  constructor(url = kWorkerUrl) {
    this.url = url;
    this.next = 1;
    this.waiting = new Map();
    this.worker = null;
  }

  ensure() {
    if (this.worker) return this.worker;
    this.worker = new Worker(this.url);
    this.worker.onmessage = ({ data }) => {
      if (data.type === 'failed') return this.failAll(new Error(data.message));
      const pending = this.waiting.get(data.id);
      if (!pending) return;
      this.waiting.delete(data.id);
      pending.resolve(data);
    };
    this.worker.onerror = (event) => {
      event.preventDefault();
      this.failAll(new Error(event.message || 'worker error'));
    };
    return this.worker;
  }

  failAll(error) {
    for (const pending of this.waiting.values()) pending.reject(error);
    this.waiting.clear();
    this.worker?.terminate();
    this.worker = null; // the next call starts afresh
  }

  call(message, transfer = []) {
    const worker = this.ensure();
    const id = this.next++;
    return new Promise((resolve, reject) => {
      this.waiting.set(id, { resolve, reject });
      worker.postMessage({ ...message, id }, transfer);
    });
  }

  // The window's character check and hand-off bytes.
  async check(text) {
    const { spelled, handOff, rejectedAt } = await this.call({ type: 'check', text });
    return { spelled: spelled ?? text, handOff: new Uint8Array(handOff), rejectedAt: rejectedAt ?? null };
  }

  // jg.dat as the window prints it, one printer line per string.
  async printLines(jg) {
    const { lines } = await this.call({ type: 'printLines', jg: new Uint8Array(jg) });
    return lines;
  }

  async echoIsOf(echo, handedOff) {
    const { same } = await this.call({ type: 'echoIsOf', echo, handedOff });
    return same;
  }
}

// One run of the engine. Its worker is made (and loads the module) before the run is asked
// for, so that a worker can stand ready while the user types. handlers: { screen(bytes),
// exit(status, files), failed(message) }.
export class EngineRun {
  constructor(url = kWorkerUrl) {
    this.handlers = null;
    this.early = [];
    this.ended = false;
    this.worker = new Worker(url);
    this.worker.onmessage = ({ data }) => this.receive(data);
    this.worker.onerror = (event) => {
      event.preventDefault();
      this.receive({ type: 'failed', message: event.message || 'worker error' });
    };
  }

  receive(data) {
    if (this.ended) return;
    if (!this.handlers) {
      // A failure to load is told once the run is asked for.
      if (data.type === 'failed') this.early.push(data);
      return;
    }
    if (data.type === 'screen') this.handlers.screen(new Uint8Array(data.bytes));
    else if (data.type === 'exit') {
      this.finish();
      this.handlers.exit(data.status, data.files ?? {});
    } else if (data.type === 'failed') {
      this.finish();
      this.handlers.failed(data.message);
    }
  }

  start(files, plainWalk, handlers) {
    this.handlers = handlers;
    this.worker.postMessage({ type: 'start', files, plainWalk });
    for (const data of this.early.splice(0)) this.receive(data);
  }

  key(key) {
    if (!this.ended) this.worker.postMessage({ type: 'key', key });
  }

  finish() {
    this.ended = true;
    this.worker.terminate();
  }

  abandon() {
    if (!this.ended) this.finish();
  }
}
