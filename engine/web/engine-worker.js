// The engine's worker: one module per worker, one run per module. The page terminates the
// worker to abandon a run. Messages as the page's engine link sends them (WEB_INTERFACE.md).
/* global importScripts, createYinshi */
importScripts('yinshi.js');

let engine = null;
const early = [];

function reply(message, transfer) { postMessage(message, transfer || []); }

function handle(m) {
  switch (m.type) {
    case 'key':
      engine.pushKeys(m.key);
      break;
    case 'check': {
      const { spelled, handOff, rejectedAt } = engine.checkInput(m.text);
      reply({ type: 'checked', id: m.id, spelled, handOff, rejectedAt }, [handOff.buffer]);
      break;
    }
    case 'printLines':
      reply({ type: 'printed', id: m.id, lines: engine.printLines(m.jg) });
      break;
    case 'echoIsOf':
      reply({ type: 'echo', id: m.id, same: engine.echoIsOf(m.echo, m.handedOff) });
      break;
    case 'start':
      engine.runEngine(m.files, m.plainWalk).then((status) => {
        const files = engine.workFiles();
        reply({ type: 'exit', status, files }, Object.values(files).map((b) => b.buffer));
      }, (e) => reply({ type: 'failed', message: String(e && e.message || e) }));
      break;
    default:
      reply({ type: 'failed', message: 'unknown message ' + m.type });
  }
}

onmessage = (e) => {
  if (!engine) { early.push(e.data); return; }
  try { handle(e.data); } catch (err) { reply({ type: 'failed', message: String(err && err.message || err) }); }
};

createYinshi({
  onScreen: (bytes) => reply({ type: 'screen', bytes }, [bytes.buffer]),
  onAbort: (what) => reply({ type: 'failed', message: 'the engine stopped: ' + what }),
}).then((m) => {
  engine = m;
  reply({ type: 'ready' });
  for (const data of early.splice(0)) onmessage({ data });
}, (e) => reply({ type: 'failed', message: 'the engine could not be loaded: ' + e }));
