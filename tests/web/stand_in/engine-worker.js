// A stand-in for the module's worker, speaking the same messages, so that the page can be
// tested before (and apart from) the WebAssembly build: a tiny scripted "engine" that shows
// the screens the real one shows for x^3+9x^2+26x+24, and a search that runs until x or t.
// Only the tests use it; the site gets the real module.
const encoder = new TextEncoder();
let keys = [];
let keyWaiter = null;

const screen = (text) => postMessage({ type: 'screen', bytes: encoder.encode(text) });
const at = (row, col) => `\x1b[${row};${col}H`;
const line = (text) => screen(`${text}\r\n`);
const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

function nextKey() {
  if (keys.length) return Promise.resolve(keys.shift());
  return new Promise((resolve) => {
    keyWaiter = resolve;
  });
}

function polledKey() {
  return keys.length ? keys.shift() : null;
}

// The window's alphabet, as the stand-in's check (the real one is the window's C++).
function rejectedAt(text) {
  for (let i = 0; i < text.length; ++i) {
    const c = text.charCodeAt(i);
    const ok = (c > 64 && c < 91) || (c > 46 && c < 58) || (c > 95 && c < 123) || '^+-()'.includes(text[i]);
    if (!ok) return i;
  }
  return null;
}

function split(bytes) {
  const text = new TextDecoder().decode(bytes);
  const lines = text.split('\n').map((l) => l.replace(/\r$/, ''));
  if (lines.at(-1) === '') lines.pop();
  return lines;
}

async function search(files) {
  screen(`${at(25, 14)}\x1b[0;93;44m程序正在运行. 按 t 键可退出分解(Press t exit)\x1b[0;37;40m${at(19, 1)}`);
  for (let n = 0; ; ++n) {
    const key = polledKey();
    if (key === 'x') line('\r\n稍 候!\r\nWait a moment!');
    if (key === 'b') screen('\x1b[2J\x1b[Hb\r\n程序正在运行中,请等候,或按x键!\r\nThe process is operating now.\r\n');
    if (key === 't') break;
    if (n % 20 === 0) screen(` ${64 >> (n % 6)} `);
    await pause(5);
  }
  screen(`${at(25, 1)}${' '.repeat(80)}${at(24, 1)}\r\n`);
  line('重 新 分 解 它 吗');
  line('Anew decompose y/n ?');
  await nextKey();
  return { jg: '', product: null };
}

async function run(files, plainWalk) {
  const dxs = new TextDecoder().decode(files['DXS.DAT'] ?? new Uint8Array());
  const text = dxs.replace(/^"/, '').replace(/"\r\n$/, '');
  screen('\x1b[1;24r\x1b[?7l\x1b[0;37;40m\x1b[2J\x1b[H');
  line('');
  line('因 式 分 解 ');
  line('-------------');
  line(text);
  await pause(50);
  let jg = '';
  if (plainWalk && text !== 'x^3+9x^2+26x+24') {
    await search(files);
  } else {
    screen('\x1b[2J\x1b[H');
    for (const l of ['x^ 3+ 9 x^ 2+ 26 x+ 24', '', '=(x^ 3 + 9x^ 2 + 26x + 24)', '', '=(x + 4)(x^ 2 + 5x + 6)', '',
      '=(x + 4)(x + 3)(x + 2)', '', 'ok!', '', '要   看    下   一   种    解   法   吗',
      'do you want to look at another solution? y/n']) line(l);
    jg = 'x^ 3+ 9 x^ 2+ 26 x+ 24 \r\n=(x^ 3 + 9x^ 2 + 26x + 24)\r\n=(x + 4)(x^ 2 + 5x + 6)\r\n\r\n=(x + 4)(x + 3)(x + 2)\r\n';
    await nextKey();
    line('各因式在整数范围内不能再分解');
    line('Every factor is irreducible over the integers.');
  }
  line('');
  line('end');
  line('');
  line('阅  读  后   按  任  一  键');
  screen('Press any key after reading');
  await nextKey();
  const out = { 'DXS.DAT': files['DXS.DAT'] };
  if (jg) out['jg.dat'] = encoder.encode(jg);
  postMessage({ type: 'exit', status: 0, files: out });
}

onmessage = ({ data }) => {
  switch (data.type) {
    case 'check':
      postMessage({ type: 'checked', id: data.id, handOff: encoder.encode(`"${data.text}"\r\n`), rejectedAt: rejectedAt(data.text) });
      break;
    case 'printLines':
      postMessage({ type: 'printed', id: data.id, lines: ['', ...split(data.jg), ''] });
      break;
    case 'echoIsOf':
      postMessage({ type: 'echo', id: data.id, same: true });
      break;
    case 'start':
      run(data.files, data.plainWalk);
      break;
    case 'key':
      if (keyWaiter) {
        const resolve = keyWaiter;
        keyWaiter = null;
        resolve(data.key);
      } else keys.push(data.key);
      break;
  }
};
postMessage({ type: 'ready' });
