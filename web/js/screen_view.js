// The engine's 80 x 25 screen in a terminal component, fed with the bytes of the engine's own
// terminal renderer, scaled to the width it is given. Where that makes the text too small to
// read, the same rows are offered beneath as wrapped lines.
import { Terminal } from '../vendor/xterm/xterm-module.js';

export const kCols = 80;
export const kRows = 25;
const kFontSize = 16;
export const kSmallestText = 9; // CSS pixels: below this the wrapped lines are opened

// xterm's own 16 colours, in ANSI order (the renderer has already turned the engine's
// palette numbers into ANSI codes).
const kTheme = {
  background: '#000000',
  foreground: '#e5e5e5',
  cursor: '#e5e5e5',
  black: '#000000',
  red: '#cd0000',
  green: '#00cd00',
  yellow: '#cdcd00',
  blue: '#0000ee',
  magenta: '#cd00cd',
  cyan: '#00cdcd',
  white: '#e5e5e5',
  brightBlack: '#7f7f7f',
  brightRed: '#ff0000',
  brightGreen: '#00ff00',
  brightYellow: '#ffff00',
  brightBlue: '#5c5cff',
  brightMagenta: '#ff00ff',
  brightCyan: '#00ffff',
  brightWhite: '#ffffff',
};

export class ScreenView {
  constructor({ host, frame, lines, linesBox, onKey, onChange }) {
    this.host = host;
    this.frame = frame;
    this.lines = lines;
    this.linesBox = linesBox;
    this.onChange = onChange;
    this.term = new Terminal({
      cols: kCols,
      rows: kRows,
      // Rows 1-24 scroll into the scrollback as in the window's xterm, so that the whole
      // working can be read again, on the screen and in the wrapped lines.
      scrollback: 5000,
      fontSize: kFontSize,
      fontFamily: '"DejaVu Sans Mono", "WenQuanYi Micro Hei Mono", "Noto Sans Mono CJK SC", monospace',
      theme: kTheme,
      cursorBlink: false,
      convertEol: false,
      allowProposedApi: false,
    });
    this.term.open(host);
    this.term.onData((data) => onKey(data));
    this.term.onBell(() => this.flash());
    this.pendingLines = false;
    this.term.onWriteParsed(() => this.changed());
    new ResizeObserver(() => this.fit()).observe(frame);
  }

  write(bytes) {
    this.term.write(bytes);
  }

  reset() {
    this.term.reset();
    this.changed();
  }

  focus() {
    this.term.focus();
  }

  // The text of lines first..last of the buffer, trailing blanks cut (a double-width character
  // is one character).
  lineTexts(first, last) {
    const buffer = this.term.buffer.active;
    const lines = [];
    for (let r = first; r < last; ++r) lines.push(buffer.getLine(r)?.translateToString(true) ?? '');
    return lines;
  }

  // The 25 rows the screen shows at its bottom.
  rowTexts() {
    const base = this.term.buffer.active.baseY;
    return this.lineTexts(base, base + kRows);
  }

  changed() {
    if (this.pendingLines) return;
    this.pendingLines = true;
    requestAnimationFrame(() => {
      this.pendingLines = false;
      const buffer = this.term.buffer.active;
      this.showLines(this.lineTexts(0, buffer.baseY + kRows));
      this.onChange?.(this.rowTexts());
    });
  }

  showLines(rows) {
    let first = 0;
    let last = rows.length;
    while (last > 0 && rows[last - 1] === '') --last;
    while (first < last && rows[first] === '') ++first;
    const shown = rows.slice(first, last).map((text) => {
      const line = document.createElement('div');
      line.textContent = text === '' ? '\u00a0' : text;
      return line;
    });
    const atEnd = this.lines.scrollTop + this.lines.clientHeight >= this.lines.scrollHeight - 4;
    this.lines.replaceChildren(...shown);
    if (atEnd) this.lines.scrollTop = this.lines.scrollHeight;
  }

  // Fits the screen to the frame's width by its font size, so that the terminal draws at the
  // size it shows (a scaled drawing leaves hairlines between coloured rows); a transform takes
  // up only what the font's steps leave over.
  fit() {
    const screen = this.host.querySelector('.xterm-screen');
    const available = this.frame.clientWidth;
    if (!screen || available === 0) return;
    let size = this.term.options.fontSize;
    for (let tries = 0; tries < 4; ++tries) {
      const width = screen.offsetWidth;
      if (width === 0) return;
      const wanted = Math.max(3, Math.min(kFontSize * 1.25, Math.floor((size * available) / width * 4) / 4));
      if (wanted === size && width <= available) break;
      size = wanted;
      this.term.options.fontSize = size;
    }
    const scale = Math.min(1, available / screen.offsetWidth);
    this.host.style.transform = scale < 1 ? `scale(${scale})` : '';
    this.frame.style.height = `${Math.ceil(screen.offsetHeight * scale)}px`;
    this.shownSize = size * scale;
    const small = this.shownSize < kSmallestText;
    if (small && !this.linesBox.dataset.userClosed) this.linesBox.open = true;
    this.linesBox.classList.toggle('needed', small);
  }

  // The font size the screen shows at, in CSS pixels (a row is a little taller).
  textHeight() {
    return this.shownSize ?? kFontSize;
  }

  flash() {
    this.frame.classList.add('bell');
    setTimeout(() => this.frame.classList.remove('bell'), 150);
  }
}
