// "打印": the transcript jg.dat as the window prints it (80-character slices, repeated factors
// written once with "^ k", as the module's copy of the window's C++ formats it), on a page of
// its own that the browser prints; and jg.dat itself to download.
const $ = (id) => document.getElementById(id);

const kNoTranscript = 'PrintCommand|还没有结果文件 jg.dat。请先双击图框运行分解程序。';
const kStale = 'PrintCommand|结果文件 jg.dat 不是最后输入的多项式 %1 的结果，而是 %2 的结果。\n仍然打印吗？';
const kEmpty = 'PrintCommand|结果文件 jg.dat 是空的，不是最后输入的多项式 %1 的结果。\n仍然打印吗？';

export function FirstLine(bytes) {
  const text = new TextDecoder().decode(bytes);
  const end = text.search(/\r?\n/);
  return end < 0 ? text : text.slice(0, end);
}

export class PrintView {
  // services: { texts, calls, folder, dialogs, handedOff(), show(name), back() }
  constructor(services) {
    this.s = services;
    $('print-now').addEventListener('click', () => window.print());
    $('download-jg').addEventListener('click', () => this.download());
    $('print-close').addEventListener('click', () => this.s.back());
  }

  async open() {
    const { texts, folder, dialogs } = this.s;
    const title = texts.text('Dialogs|注意');
    const jg = folder.read('jg.dat');
    if (!jg) {
      await dialogs.tell(title, texts.text(kNoTranscript));
      return false;
    }
    if (!(await this.wanted(jg, title))) return false;
    const lines = await this.s.calls.printLines(jg);
    $('print-lines').textContent = lines.join('\n');
    this.s.show('print-view');
    window.print();
    return true;
  }

  // The transcript is of the polynomial handed off last, or the user wants it all the same.
  async wanted(jg, title) {
    const handedOff = this.s.handedOff();
    if (!handedOff) return true;
    const echo = FirstLine(jg);
    if (await this.s.calls.echoIsOf(echo, handedOff)) return true;
    const trimmed = echo.trim();
    const { texts, dialogs } = this.s;
    return dialogs.ask(title, trimmed === '' ? texts.fill(kEmpty, handedOff) : texts.fill(kStale, handedOff, trimmed));
  }

  download() {
    const jg = this.s.folder.read('jg.dat');
    if (!jg) return;
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([jg], { type: 'text/plain;charset=utf-8' }));
    link.download = 'jg.dat';
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
  }
}
