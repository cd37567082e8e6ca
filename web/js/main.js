// The page: the cover, the input window, the help page, the engine's screen and printing,
// one section shown at a time as the window program shows one window.
import { Dialogs } from './dialogs.js';
import { EngineRun, ModuleCalls } from './engine_link.js';
import { Folder } from './folder.js';
import { MainWindow } from './main_window.js';
import { PrintView } from './print_view.js';
import { ScreenView } from './screen_view.js';
import { ChooseLanguage, RememberLanguage, Texts } from './texts.js';
import { KeysAskedFor, TouchKeys } from './touch_keys.js';

const $ = (id) => document.getElementById(id);
const params = new URLSearchParams(location.search);
const storage = (() => {
  try {
    return window.localStorage;
  } catch {
    return null;
  }
})();

// Times the tests and the README report: from the start of navigation, in milliseconds.
const times = (window.yinshiTimes = {});

const texts = new Texts(ChooseLanguage(location.search, storage, navigator.languages));
const folder = new Folder(storage);
const calls = new ModuleCalls();
const dialogs = new Dialogs(texts);
let shownSection = null;
let main = null;

function applyTexts() {
  document.documentElement.lang = texts.language === 'zh' ? 'zh-CN' : 'en';
  document.title = texts.text('yinshi::frontend::CoverWindow|因式分解');
  for (const element of document.querySelectorAll('[data-text]')) element.textContent = texts.text(element.dataset.text);
  $('language-switch').textContent = texts.language === 'zh' ? 'English' : '中文';
  drawHelp();
  main?.retranslate();
  touch.retranslate();
  showRunState();
}

function show(id) {
  for (const section of document.querySelectorAll('section.window')) section.hidden = section.id !== id;
  shownSection = id;
}

// The cover.
$('cmdbao').addEventListener('click', () => {
  main ??= new MainWindow({ texts, calls, folder, startEngine, showHelp, print, quit, notify });
  // The module loads while the user types: one copy for the check, one for the first run.
  calls.ensure();
  prepareRun();
  show('KAVO1');
  main.focusTextBox();
});
$('cover-Cmdtuichu').addEventListener('click', () => quit());

function notify(error) {
  dialogs.tell(texts.text('Dialogs|注意'), texts.fill('web|分解程序无法启动：%1', String(error?.message ?? error)));
}

// The help page: three empty lines, then each line followed by an empty one.
function drawHelp() {
  const lines = ['', '', ''];
  for (const line of texts.helpLines()) lines.push(line, '');
  $('help-page').textContent = lines.join('\n');
}

function showHelp() {
  drawHelp();
  show('Form3');
  $('Cmdtuicxm').focus();
}
$('Cmdtuicxm').addEventListener('click', () => backToInput());
$('Form3').addEventListener('keydown', (event) => {
  if (event.key === 'Escape') backToInput();
});

function backToInput() {
  show('KAVO1');
  main.focusTextBox();
}

// Printing.
const printView = new PrintView({ texts, calls, folder, dialogs, handedOff: () => main?.handedOff, show, back: backToInput });
async function print() {
  try {
    if (!(await printView.open())) main.focusTextBox();
  } catch (error) {
    await dialogs.tell(texts.text('Dialogs|注意'), String(error.message ?? error));
  }
}

// The engine's screen.
let run = null;
let standby = null; // a worker with the module loaded, for the next run
let runState = '';

function prepareRun() {
  standby ??= new EngineRun();
}
const screen = new ScreenView({
  host: $('screen'),
  frame: $('screen-frame'),
  lines: $('screen-lines'),
  linesBox: $('screen-lines-box'),
  onKey: (data) => sendKeys(data),
  onChange: (rows) => touch.show(touchScreen() ? KeysAskedFor(rows, run !== null) : []),
});
window.yinshiScreen = screen; // for the tests: what the screen shows at
const touch = new TouchKeys({ host: $('touch-keys'), texts, onKey: (key) => sendKeys(key) });
$('screen-lines-box').addEventListener('toggle', (event) => {
  if (!event.target.open) event.target.dataset.userClosed = '1';
});

function touchScreen() {
  return params.get('touch') === '1' || matchMedia('(any-pointer: coarse)').matches;
}

function sendKeys(data) {
  for (const key of data) run?.key(key);
}

function showRunState() {
  $('run-state').textContent = runState ? texts.text(runState) : '';
  $('stop-run').hidden = run === null;
}

function startEngine() {
  run?.abandon();
  screen.reset();
  $('engine-panel').hidden = false;
  screen.fit();
  runState = 'web|分解程序正在运行';
  const started = performance.now();
  let first = true;
  const thisRun = standby ?? new EngineRun();
  standby = null;
  run = thisRun;
  showRunState();
  thisRun.start(folder.entries(), params.get('plain') === '1', {
    screen: (bytes) => {
      if (first) {
        first = false;
        times.firstScreen = performance.now() - started;
      }
      screen.write(bytes);
    },
    exit: (status, files) => {
      folder.writeAll(files);
      if (run === thisRun) endRun('web|分解程序已结束');
    },
    failed: (message) => {
      if (run !== thisRun) return;
      endRun('web|分解程序已停止');
      dialogs.tell(texts.text('Dialogs|注意'), texts.fill('web|分解程序无法启动：%1', message));
    },
  });
  // On a touch screen the key row answers; focusing the terminal would raise the soft keyboard.
  if (!touchScreen()) screen.focus();
  $('engine-panel').scrollIntoView({ block: 'nearest' });
}

function endRun(state) {
  run = null;
  prepareRun();
  runState = state;
  showRunState();
  screen.changed();
}

$('stop-run').addEventListener('click', () => {
  run?.abandon();
  endRun('web|分解程序已停止');
  main.focusTextBox();
});

function quit() {
  run?.abandon();
  standby?.abandon();
  run = null;
  standby = null;
  show('ended');
  window.close(); // only a window that a script opened closes; the page says it has ended
}
$('start-again').addEventListener('click', () => location.reload());

$('language-switch').addEventListener('click', () => {
  texts.language = texts.language === 'zh' ? 'en' : 'zh';
  RememberLanguage(storage, texts.language);
  applyTexts();
});

applyTexts();
show('baozhForm');
$('cmdbao').focus();
times.cover = performance.now();

if ('serviceWorker' in navigator && params.get('sw') !== '0') {
  navigator.serviceWorker
    .register('sw.js')
    .then(() => navigator.serviceWorker.ready)
    .then(() => {
      times.offlineReady = performance.now();
    })
    .catch(() => {
      // Served without a secure context (not localhost, not https): no offline copy.
    });
}
