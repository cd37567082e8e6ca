// On a touch screen there is no keyboard for the engine's one-key questions: a row of buttons
// offers the keys that the screen is asking for, read from what the screen shows.

// Which keys the screen asks for: during a search the status line (row 25) is up, a question
// ends its line with y/n, and the last screen waits for any key.
export function KeysAskedFor(rows, running) {
  if (!running) return [];
  const status = rows[24] ?? '';
  if (/Press t/i.test(status)) return ['x', 't', 'b'];
  let last = rows.length - 1;
  while (last > 0 && rows[last].trim() === '') --last;
  const tail = rows.slice(Math.max(0, last - 1), last + 1).join('\n');
  if (/y\s*\/\s*n/i.test(tail)) return ['y', 'n'];
  if (/any key|任\s*一\s*键/i.test(tail)) return ['any'];
  return [];
}

export class TouchKeys {
  constructor({ host, texts, onKey }) {
    this.host = host;
    this.texts = texts;
    this.onKey = onKey;
    this.shown = '';
  }

  show(keys) {
    const id = keys.join(',');
    if (id === this.shown) return;
    this.shown = id;
    const buttons = keys.map((key) => {
      const button = document.createElement('button');
      button.type = 'button';
      button.dataset.key = key;
      button.textContent = key === 'any' ? this.texts.text('web|任意键') : key;
      // pointerdown, not click: a key reaches a running search at once, and the screen keeps
      // the focus (so a hardware keyboard goes on working as well).
      button.addEventListener('pointerdown', (event) => {
        event.preventDefault();
        this.onKey(key === 'any' ? ' ' : key);
      });
      button.addEventListener('click', (event) => {
        if (event.detail === 0) this.onKey(key === 'any' ? ' ' : key);
      });
      return button;
    });
    this.host.replaceChildren(...buttons);
    this.host.hidden = keys.length === 0;
  }

  retranslate() {
    const any = this.host.querySelector('[data-key="any"]');
    if (any) any.textContent = this.texts.text('web|任意键');
  }
}
