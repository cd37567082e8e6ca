// The search benchmark's inputs (bench/search_bench.cpp) run whole, plain walk, by the native
// engine and by the page's module under Node: wall time of each, best of REPEAT runs.
//
//   node --no-experimental-fetch bench_engines.cjs ENGINE_DIR NATIVE_ENGINE [REPEAT]
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const { spawnSync } = require('child_process');

const engineDir = process.argv[2];
const nativeEngine = path.resolve(process.argv[3]);
const repeatArg = process.argv[4];
const repeat = Number(repeatArg || 3);
const createYinshi = require(path.resolve(engineDir, 'yinshi.js'));
// Each module instance listens on the process for its own errors.
process.setMaxListeners(0);

// SEARCH(name, "text" "text"...) in the benchmark's source.
function searchInputs() {
  const source = fs.readFileSync(path.join(__dirname, '../../bench/search_bench.cpp'), 'utf8');
  const out = [];
  for (const m of source.matchAll(/SEARCH\((\w+),\s*((?:"[^"]*"\s*)+)\);/g))
    out.push([m[1], [...m[2].matchAll(/"([^"]*)"/g)].map((s) => s[1]).join('')]);
  return out;
}

function nativeSeconds(text) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'yinshi-bench-'));
  fs.writeFileSync(path.join(dir, 'DXS.DAT'), '"' + text + '"\r\n');
  const start = process.hrtime.bigint();
  spawnSync(nativeEngine, [], { cwd: dir, input: 'n', env: { ...process.env, YINSHI_PLAIN_WALK: '1' } });
  const took = Number(process.hrtime.bigint() - start) / 1e9;
  fs.rmSync(dir, { recursive: true });
  return took;
}

async function moduleSeconds(text) {
  const m = await createYinshi({ onScreen: () => {} });
  m.pushKeys('n');
  m.endKeys();
  const start = process.hrtime.bigint();
  await m.runEngine({ 'DXS.DAT': Buffer.from('"' + text + '"\r\n') }, true);
  return Number(process.hrtime.bigint() - start) / 1e9;
}

(async () => {
  console.log('| input | native s | WebAssembly s | WebAssembly / native |');
  console.log('|---|---:|---:|---:|');
  let sumN = 0;
  let sumW = 0;
  for (const [name, text] of searchInputs()) {
    let n = Infinity;
    let w = Infinity;
    for (let i = 0; i < repeat; i++) {
      n = Math.min(n, nativeSeconds(text));
      w = Math.min(w, await moduleSeconds(text));
    }
    sumN += n;
    sumW += w;
    console.log(`| ${name} | ${n.toFixed(3)} | ${w.toFixed(3)} | ${(w / n).toFixed(2)} |`);
  }
  console.log(`| all | ${sumN.toFixed(3)} | ${sumW.toFixed(3)} | ${(sumW / sumN).toFixed(2)} |`);
})();
