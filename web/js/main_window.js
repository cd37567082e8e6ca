// The input window: three states (input, ready, rejected) as in the window program. The
// character check and the hand-off bytes come from the module (the window's own C++); this
// file only keeps the controls in step with what the check said.
const $ = (id) => document.getElementById(id);

const kLabel8 = 'yinshi::frontend::MainWindow|请在下框按右例方式输入多项式.  例1：x^3+9x^2+26x+24  或  x3+9x2+26x+24  ';
const kLabel9 =
  'yinshi::frontend::MainWindow|' + ' '.repeat(64) + '例2：a3+a2c+b2c-abc+b3  或 a^3+a^2c+b^2c-abc+b^3';
const kInputError = 'yinshi::frontend::MainWindow|输入错误！';

export class MainWindow {
  // services: { texts, calls (module calls), folder, startEngine(), showHelp(), print(), quit(), notify(error) }
  constructor(services) {
    this.s = services;
    this.checks = 0; // a later press makes an earlier answer stale
    this.text2 = $('Text2');
    this.picture1 = $('Picture1');
    this.ole1 = $('OLE1');
    this.buttons = {
      shuru: $('Cmdshuru'),
      wanchang: $('CmdWANCHANG'),
      chongshu: $('CmdCHONGSHU'),
      dayin: $('cmddayin'),
    };
    this.wire();
    // Load steps.
    this.ole1.hidden = true;
    this.buttons.shuru.disabled = true;
    this.buttons.dayin.disabled = true;
    this.startInput();
  }

  wire() {
    const b = this.buttons;
    b.shuru.addEventListener('click', () => this.onNewInput());
    b.wanchang.addEventListener('click', () => this.onInputFinished());
    b.chongshu.addEventListener('click', () => this.onReinput());
    b.dayin.addEventListener('click', () => this.s.print());
    $('Cmdbangzhu').addEventListener('click', () => this.s.showHelp());
    $('Cmdtuichu').addEventListener('click', () => this.s.quit());
    this.text2.addEventListener('keydown', (event) => {
      if (event.key === 'Enter' && !event.isComposing) {
        event.preventDefault();
        if (!b.wanchang.disabled) b.wanchang.click();
      }
    });
    $('KAVO1').addEventListener('keydown', (event) => {
      // Esc is "重新输入" while that button is enabled; the engine's screen keeps its own keys.
      if (event.key !== 'Escape' || event.target.closest('#engine-panel')) return;
      if (!b.chongshu.disabled) b.chongshu.click();
    });
    this.wireEngineBox();
  }

  wireEngineBox() {
    // A double-click with the mouse, a double tap with a finger, Enter or Space from the keyboard.
    // A browser may follow a double tap with a dblclick of its own: that one is not a second start.
    let lastTap = -Infinity;
    let tapStarted = -Infinity;
    const start = () => {
      if (!this.ole1.hidden) this.s.startEngine();
    };
    this.ole1.addEventListener('dblclick', () => {
      if (performance.now() - tapStarted > 600) start();
    });
    this.ole1.addEventListener('pointerup', (event) => {
      if (event.pointerType === 'mouse') return;
      const now = performance.now();
      if (now - lastTap < 500) {
        tapStarted = now;
        lastTap = -Infinity;
        start();
      } else lastTap = now;
    });
    this.ole1.addEventListener('click', (event) => {
      // A click from the keyboard (Enter, Space) has no pointer position.
      if (event.detail === 0) start();
    });
  }

  focusTextBox() {
    this.text2.focus({ preventScroll: true });
  }

  startInput() {
    this.text2.hidden = false;
    this.text2.value = '';
    this.buttons.wanchang.disabled = false;
    this.buttons.chongshu.disabled = false;
    this.showLabels();
  }

  showLabels() {
    $('Label8').textContent = this.s.texts.text(kLabel8);
    // The window indents the second example with spaces; the page's layout does that (page.css).
    $('Label9').textContent = this.s.texts.text(kLabel9).replace(/^ +/, '');
  }

  // After a change of language: the labels and the error line follow it.
  retranslate() {
    this.showLabels();
    for (const line of this.picture1.querySelectorAll('.error')) line.textContent = this.s.texts.text(kInputError);
  }

  clearMessages() {
    this.picture1.replaceChildren();
  }

  printLine(text, className) {
    const line = document.createElement('div');
    line.textContent = text;
    if (className) line.className = className;
    this.picture1.append(line);
  }

  rejectInput() {
    this.ole1.hidden = true;
    this.focusTextBox();
    this.buttons.wanchang.disabled = false;
  }

  async checkInput() {
    const ticket = ++this.checks;
    this.clearMessages();
    let text = this.text2.value;
    if (text === '') {
      this.printLine(text);
      this.printLine(this.s.texts.text(kInputError), 'error');
      this.rejectInput();
      return;
    }
    // The check and the hand-off bytes from the window's C++; the folder is written first,
    // so a rejected text has replaced DXS.DAT too, as the window does.
    let verdict;
    try {
      verdict = await this.s.calls.check(text);
    } catch (error) {
      // Without the module's answer nothing is handed off: the box stays hidden.
      if (ticket !== this.checks) return;
      this.rejectInput();
      this.s.notify(error);
      return;
    }
    if (ticket !== this.checks) return;
    // Pasted forms (x², full-width letters, the minus sign) in the program's own spelling, shown
    // in the box and the echo before the check answers.
    text = verdict.spelled;
    this.text2.value = text;
    this.printLine(text);
    this.s.folder.write('DXS.DAT', verdict.handOff);
    this.handedOff = text;
    if (verdict.rejectedAt !== null) {
      this.printLine(this.s.texts.text(kInputError), 'error');
      this.rejectInput();
      return;
    }
    this.ole1.hidden = false;
  }

  onNewInput() {
    this.checks++;
    this.clearMessages();
    this.ole1.hidden = true;
    this.buttons.shuru.disabled = true;
    this.buttons.dayin.disabled = true;
    this.startInput();
    this.focusTextBox();
  }

  onReinput() {
    this.checks++;
    this.clearMessages();
    this.ole1.hidden = true;
    this.startInput();
    this.focusTextBox();
  }

  async onInputFinished() {
    this.buttons.dayin.disabled = false;
    const checked = this.checkInput();
    this.buttons.shuru.disabled = false;
    this.buttons.chongshu.disabled = true;
    this.focusTextBox();
    await checked;
  }
}
