// The page's module under Node against the native engine: the same inputs and keys, run whole
// (the module with its asynchronous key reader, the native engine with its keys piped in),
// must leave the same files byte for byte and tell the same certificate. Then the window's
// calls the page makes through the module, on the inputs the window tests.
//
//   node --no-experimental-fetch module_runs.cjs ENGINE_DIR NATIVE_ENGINE
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const { spawnSync } = require('child_process');

const engineDir = process.argv[2];
const nativeEngine = path.resolve(process.argv[3]);
const createYinshi = require(path.resolve(engineDir, 'yinshi.js'));
// Each module instance listens on the process for its own errors.
process.setMaxListeners(0);

// The inputs of the whole-run and piped-engine tests, with the keys they answer with.
const CASES = [
  ['x^3+9x^2+26x+24', 'n'], ['x^3+9x^2+26x+24', 'yyyyyyyyyyyyn'], ['x^2+3x+2', 'n'], ['6x^2+5x+1', 'n'],
  ['x^4-1', 'n'], ['x^6-1', 'n'], ['x^3+8', 'n'], ['-x^3-8', 'n'], ['4x^2-9', 'n'], ['x^2-6x+9', 'n'],
  ['x^3-3x-2', 'n'], ['12x^4-2x^3-40x^2+6x+24', 'n'], ['a3+a2c+b2c-abc+b3', 'n'], ['x^2+3xy+2y^2', 'n'],
  ['x^2-xy-2y^2+x+y', 'yyyyyyyyyyyyn'], ['ab+ac+bd+cd', 'n'], ['a^2b^2+2abc+c^2', 'n'], ['4a^2-9b^2', 'n'],
  ['x^3y^3+8', 'n'], ['X^2-Y^2', 'n'], ['x^4+4', 'n'], ['x^5+x+1', 'n'], ['x+', ''], ['2*x', ''], ['', ''],
  ['1.5x', ''], ['7x^8+85x^7-49x^6-23x^5+48x^4+86x^3-54x^2+20x+60', 'n'],
];

// The certificate's English sentence, as either engine shows it.
const CERTIFICATE = /(Every factor is irreducible over the integers\.|It is irreducible over the integers\.|The factor \(.*\) still splits over the integers\.|Whether every factor is irreducible could not be checked\.)/g;

function nativeRun(text, keys) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'yinshi-native-'));
  fs.writeFileSync(path.join(dir, 'DXS.DAT'), '"' + text + '"\r\n');
  const r = spawnSync(nativeEngine, [], { cwd: dir, input: keys, timeout: 120000 });
  const files = {};
  for (const name of fs.readdirSync(dir)) files[name] = fs.readFileSync(path.join(dir, name));
  fs.rmSync(dir, { recursive: true });
  return { status: r.status, files, screen: r.stdout.toString('utf8') };
}

async function moduleRun(text, keys) {
  const chunks = [];
  const m = await createYinshi({ onScreen: (bytes) => chunks.push(Buffer.from(bytes)) });
  const { handOff } = m.checkInput(text);
  m.pushKeys(keys);
  m.endKeys();
  const status = await m.runEngine({ 'DXS.DAT': handOff }, false);
  return { status, files: m.workFiles(), screen: Buffer.concat(chunks).toString('utf8') };
}

let certified = 0;

function differences(native, wasm) {
  const out = [];
  const names = new Set([...Object.keys(native.files), ...Object.keys(wasm.files)]);
  for (const name of names) {
    const a = native.files[name];
    const b = wasm.files[name];
    if (!a || !b) out.push(name + (a ? ' missing in the module' : ' only in the module'));
    else if (!Buffer.from(a).equals(Buffer.from(b))) out.push(name + ' differs');
  }
  if (native.status !== wasm.status) out.push(`exit status ${native.status} natively, ${wasm.status} in the module`);
  const said = (screen) => (screen.match(CERTIFICATE) || []).join(' | ');
  if (said(native.screen)) certified++;
  if (said(native.screen) !== said(wasm.screen))
    out.push(`certificate "${said(native.screen)}" natively, "${said(wasm.screen)}" in the module`);
  return out;
}

async function windowCalls() {
  const m = await createYinshi({});
  const fail = [];
  const check = (what, ok) => { if (!ok) fail.push(what); };
  const c = m.checkInput('x^3+9x^2+26x+24');
  check('accepted input', c.rejectedAt === null && Buffer.from(c.handOff).toString() === '"x^3+9x^2+26x+24"\r\n');
  check('rejected at the star', m.checkInput('2*x').rejectedAt === 1);
  check('rejected after a surrogate pair', m.checkInput('x\u{1F600}').rejectedAt === 1);
  check('pasted forms respelled', m.checkInput('ｘ²−5x+6').spelled === 'x^2-5x+6');
  check('echo', m.echoIsOf('x^ 3+ 9 x^ 2+ 26 x+ 24 ', 'x3+9x2+26x+24') && !m.echoIsOf('x^ 2 ', 'x3'));
  const jg = Buffer.from('x^ 2-1 \r\n=(x - 1)(x + 1)\r\n');
  const lines = m.printLines(jg);
  check('print lines around the transcript', lines.length > 2 && lines.some((l) => l.includes('=(x - 1)(x + 1)')));
  return fail;
}

(async () => {
  let failed = 0;
  for (const [text, keys] of CASES) {
    const diff = differences(nativeRun(text, keys), await moduleRun(text, keys));
    if (diff.length) {
      failed++;
      console.log(`FAIL "${text}" keys "${keys}": ${diff.join('; ')}`);
    }
  }
  const calls = await windowCalls();
  for (const what of calls) console.log('FAIL window call: ' + what);
  console.log(`${CASES.length - failed} of ${CASES.length} runs the same in the module and natively ` +
    `(files, exit status, certificate; ${certified} runs certified)`);
  process.exit(failed || calls.length ? 1 : 0);
})();
