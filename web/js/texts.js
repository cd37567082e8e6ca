// The page's texts: the window program's own (from its translation file) and the few that
// only the page has. Chinese is the source language, as in the window.
import { kWindowTexts } from './window_texts.js';

const kPageTexts = {
  '打印': 'Print',
  '下载 jg.dat': 'Download jg.dat',
  '关闭': 'Close',
  '停止运行': 'Stop the run',
  '屏幕文字': 'Screen text',
  '任意键': 'any key',
  '程序已结束。': 'The program has ended.',
  '重新开始': 'Start again',
  '分解程序正在运行': 'The factoring engine is running',
  '分解程序已结束': 'The factoring engine has finished',
  '分解程序已停止': 'The run was stopped',
  '分解程序无法启动：%1': 'The factoring engine could not start: %1',
  '确定': 'OK',
  '是': 'Yes',
  '否': 'No',
};

const kStoreKey = 'yinshi.language';

// zh for a browser whose first language is Chinese, en otherwise; ?lang= and the switch win.
export function ChooseLanguage(search, storage, languages) {
  const asked = new URLSearchParams(search).get('lang');
  if (asked === 'zh' || asked === 'en') return asked;
  const stored = storage?.getItem(kStoreKey);
  if (stored === 'zh' || stored === 'en') return stored;
  const first = (languages && languages[0]) || '';
  return first.toLowerCase().startsWith('zh') ? 'zh' : 'en';
}

export function RememberLanguage(storage, language) {
  try {
    storage?.setItem(kStoreKey, language);
  } catch {
    // A private window may refuse storage; the switch still works for this visit.
  }
}

export class Texts {
  constructor(language) {
    this.language = language;
  }

  // "context|source": a window text by its Qt context, or "web|source" for the page's own.
  text(key) {
    const bar = key.indexOf('|');
    const context = key.slice(0, bar);
    const source = key.slice(bar + 1);
    if (this.language === 'zh') return source;
    const table = context === 'web' ? kPageTexts : kWindowTexts[context];
    return table?.[source] ?? source;
  }

  // "%1", "%2", ... filled in order.
  fill(key, ...args) {
    return this.text(key).replace(/%(\d)/g, (whole, n) => (args[n - 1] !== undefined ? String(args[n - 1]) : whole));
  }

  // The help page's lines: the window's sixteen-line text (or its translation).
  helpLines() {
    const help = kWindowTexts['yinshi::frontend::HelpWindow'];
    const source = Object.keys(help).find((s) => s.includes('\n'));
    return (this.language === 'zh' ? source : help[source]).split('\n');
  }
}
