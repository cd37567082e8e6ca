// The JavaScript side of the module: the screen device, the key queue, and the calls the
// worker and the tests make. Runs inside the module's factory, so FS, HEAPU8 and the exported
// functions are in scope once the module is ready.
/* global Module, FS, HEAPU8, HEAPU16, HEAP32, ccall, _malloc, _free, UTF8ToString */

const yinshiEncoder = new TextEncoder();
const yinshiDecoder = new TextDecoder();
const yinshiKeys = [];
let yinshiKeysEnded = false;
let yinshiKeyWaiter = null;

Module.preRun = [].concat(Module.preRun || [], () => {
  const dev = FS.makedev(64, 0);
  FS.registerDevice(dev, {
    open() {},
    close() {},
    read() { return 0; },
    write(stream, buffer, offset, length) {
      if (Module.onScreen) Module.onScreen(new Uint8Array(buffer.buffer, buffer.byteOffset + offset, length).slice());
      return length;
    },
  });
  FS.mkdev('/dev/yinshi-screen', dev);
  FS.mkdir('/work');
});

// Each byte of `text` as UTF-8 becomes one key, in order.
Module.pushKeys = (text) => {
  for (const b of yinshiEncoder.encode(text)) yinshiKeys.push(b);
  if (yinshiKeyWaiter) { const w = yinshiKeyWaiter; yinshiKeyWaiter = null; w(); }
};
// No more keys will come: a question waiting for one takes "no" ('\0').
Module.endKeys = () => {
  yinshiKeysEnded = true;
  Module.pushKeys('');
};
Module.yinshiTakeKey = () => {
  if (yinshiKeys.length) return yinshiKeys.shift();
  return yinshiKeysEnded ? -2 : -1;
};
Module.yinshiKeyArrived = () => new Promise((resolve) => {
  if (yinshiKeys.length || yinshiKeysEnded) resolve(); else yinshiKeyWaiter = resolve;
});
// One turn of the event loop, without the clamping of nested timers (4 ms each).
Module.yinshiYield = typeof setImmediate === 'function'
  ? () => new Promise((resolve) => setImmediate(resolve))
  : (() => {
      const channel = new MessageChannel();
      const waiting = [];
      channel.port1.onmessage = () => { const w = waiting.shift(); if (w) w(); };
      return () => new Promise((resolve) => { waiting.push(resolve); channel.port2.postMessage(0); });
    })();

function yinshiWithBytes(bytes, use) {
  const at = _malloc(bytes.length + 1);
  HEAPU8.set(bytes, at);
  HEAPU8[at + bytes.length] = 0;
  try { return use(at, bytes.length); } finally { _free(at); }
}

// A buffer from malloc whose size the callee wrote at sizeAt, copied out and freed.
function yinshiTakeResult(call) {
  const sizeAt = _malloc(4);
  try {
    const at = call(sizeAt);
    if (!at) throw new Error('out of memory');
    const out = HEAPU8.slice(at, at + HEAP32[sizeAt >> 2]);
    _free(at);
    return out;
  } finally { _free(sizeAt); }
}

// A text's UTF-16 code units in the module's memory, for the duration of call(at, units).
function yinshiWithUnits(text, call) {
  const units = _malloc(2 * text.length + 2);
  try {
    for (let i = 0; i < text.length; i++) HEAPU16[(units >> 1) + i] = text.charCodeAt(i);
    return call(units, text.length);
  } finally { _free(units); }
}

// The window's input check on the text turned into the program's spelling (pasted forms such as
// x² or full-width letters): that text, the DXS.DAT bytes the window would write, and the index
// (UTF-16 code units of the spelled text) of the first character it rejects, or null.
Module.checkInput = (typed) => {
  const spelledBytes = yinshiWithUnits(typed,
    (at, n) => yinshiTakeResult((sizeAt) => Module._yinshi_program_spelling(at, n, sizeAt)));
  const text = new TextDecoder('utf-16le').decode(spelledBytes);
  const rejected = yinshiWithUnits(text, (at, n) => Module._yinshi_first_rejected(at, n));
  const handOff = yinshiWithBytes(yinshiEncoder.encode(text),
    (at) => yinshiTakeResult((sizeAt) => Module._yinshi_handoff(at, sizeAt)));
  return { spelled: text, handOff, rejectedAt: rejected < 0 ? null : rejected };
};

Module.echoIsOf = (echo, handedOff) => yinshiWithBytes(yinshiEncoder.encode(echo),
  (e) => yinshiWithBytes(yinshiEncoder.encode(handedOff), (h) => Module._yinshi_echo_is_of(e, h) === 1));

// jg.dat's bytes as the window prints them: the printer lines.
Module.printLines = (jg) => {
  const out = yinshiWithBytes(jg, (at, n) => yinshiTakeResult((sizeAt) => Module._yinshi_print_lines(at, n, sizeAt)));
  const lines = yinshiDecoder.decode(out).split('\n');
  lines.pop();
  return lines;
};

// Writes `files` ({name: Uint8Array}) into /work and runs the engine to its end; the promise
// gives its exit status. One run per module.
let yinshiRan = false;
Module.runEngine = (files, plainWalk) => {
  if (yinshiRan) return Promise.reject(new Error('the engine has already run in this module'));
  yinshiRan = true;
  // (No destructuring here: the optimizer of Debian's emscripten mangles it.)
  for (const name of Object.keys(files || {})) FS.writeFile('/work/' + name, files[name]);
  return ccall('yinshi_run', 'number', ['number'], [plainWalk ? 1 : 0], { async: true });
};

// Every regular file in /work.
Module.workFiles = () => {
  const files = {};
  for (const name of FS.readdir('/work')) {
    if (name === '.' || name === '..') continue;
    const path = '/work/' + name;
    if (FS.isFile(FS.stat(path).mode)) files[name] = FS.readFile(path);
  }
  return files;
};
