// The page in Debian's Chromium, as a person uses it: the textbook polynomial from the input
// box to the engine's last screen, a rejected input, x and t during a long search and a run
// abandoned for a new one, the phone, offline, the print view, the English page.
// Run by tests/web/run.sh, which serves the site and sets YINSHI_SITE_URL.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdirSync, mkdtempSync, readFileSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, describe, test } from 'node:test';
import { chromium } from 'playwright-core';

const site = process.env.YINSHI_SITE_URL;
const printLinesTool = process.env.YINSHI_PRINT_LINES;
const shots = process.env.YINSHI_WEB_SCREENSHOTS;
const timesFile = process.env.YINSHI_WEB_TIMES;
const standIn = process.env.YINSHI_WEB_STAND_IN === '1';
const kTextbook = 'x^3+9x^2+26x+24';
const kProduct = '=(x + 4)(x + 3)(x + 2)';
const kCertificate = 'Every factor is irreducible over the integers.';
const kLong = '392/3p^2q^2+448pqr^2+512/3r^4';
const times = {};

let browser;
before(async () => {
  browser = await chromium.launch({ executablePath: '/usr/bin/chromium', headless: true });
});
after(async () => {
  await browser?.close();
  if (timesFile) writeFileSync(timesFile, JSON.stringify(times, null, 1) + '\n');
});

async function openPage(options = {}, query = '') {
  const context = await browser.newContext({ locale: 'zh-CN', viewport: { width: 1280, height: 800 }, ...options });
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  page.on('console', (message) => process.env.YINSHI_WEB_DEBUG && console.log('page:', message.text()));
  await page.goto(`${site}/${query}`);
  await page.waitForSelector('#cmdbao:visible');
  return { context, page, errors };
}

// The 25 rows the terminal shows, as text.
function screenRows(page) {
  return page.evaluate(() =>
    [...document.querySelectorAll('#screen .xterm-rows > div')].map((row) => row.textContent.replace(/\u00a0/g, ' ').trimEnd()),
  );
}

async function waitScreen(page, pattern, timeout = 30000) {
  const source = pattern.source;
  const flags = pattern.flags;
  try {
    await page.waitForFunction(
      ([s, f]) => {
        const text = [...document.querySelectorAll('#screen .xterm-rows > div')].map((r) => r.textContent.replace(/\u00a0/g, ' ')).join('\n');
        return new RegExp(s, f).test(text);
      },
      [source, flags],
      { timeout, polling: 5 },
    );
  } catch (error) {
    const state = await page.evaluate(() => [document.querySelector('#run-state').textContent, document.activeElement?.id]);
    throw new Error(`screen never showed ${pattern} (${state}):\n${(await screenRows(page)).join('\n')}`);
  }
}

async function enterPolynomial(page, text, finish = (p) => p.press('#Text2', 'Enter')) {
  if (await page.isVisible('#cmdbao')) await page.click('#cmdbao');
  await page.fill('#Text2', text);
  await finish(page);
}

function folderFile(page, name) {
  return page.evaluate((n) => {
    const kept = JSON.parse(localStorage.getItem('yinshi.folder') || '{}');
    return kept[n] === undefined ? null : atob(kept[n]);
  }, name);
}

async function startEngine(page) {
  await page.waitForSelector('#OLE1:visible');
  await page.dblclick('#OLE1');
  await page.waitForFunction(() => window.yinshiTimes.firstScreen !== undefined);
  return page.evaluate(() => window.yinshiTimes.firstScreen);
}

async function typeKey(page, key) {
  await page.click('#screen');
  await page.keyboard.type(key);
}

async function runTextbook(page, answer = (p, k) => typeKey(p, k)) {
  await enterPolynomial(page, kTextbook);
  const firstScreen = await startEngine(page);
  await waitScreen(page, /another solution\? y\/n/);
  assert.ok((await screenRows(page)).includes(kProduct), 'the final product is on the screen');
  await answer(page, 'n');
  await waitScreen(page, /Press any key after reading/);
  const rows = await screenRows(page);
  assert.ok(rows.includes(kCertificate), `the certificate is on the screen:\n${rows.join('\n')}`);
  await answer(page, ' ');
  await page.waitForFunction(() => document.querySelector('#stop-run').hidden);
  return firstScreen;
}

function shoot(page, name) {
  if (!shots) return;
  mkdirSync(shots, { recursive: true });
  return page.screenshot({ path: join(shots, name) });
}

describe('the page', { concurrency: false }, () => {
  test('the textbook polynomial: input, check, engine, product, certificate, n; then the print view', async () => {
    const opened = Date.now();
    const { context, page, errors } = await openPage();
    times.coverMs = await page.evaluate(() => window.yinshiTimes.cover);
    await enterPolynomial(page, kTextbook);
    await page.waitForSelector('#OLE1:visible'); // the check's answer comes from the worker
    assert.equal(await page.textContent('#Picture1'), kTextbook);
    assert.equal(await folderFile(page, 'DXS.DAT'), `"${kTextbook}"\r\n`);
    times.firstScreenMs = await startEngine(page);
    await waitScreen(page, /another solution\? y\/n/);
    await page.waitForTimeout(300); // past the bell's flash
    await shoot(page, 'web-desktop.png');
    await typeKey(page, 'n');
    await waitScreen(page, /Press any key after reading/);
    const rows = await screenRows(page);
    assert.ok(rows.includes(kProduct), rows.join('\n'));
    assert.ok(rows.includes(kCertificate), rows.join('\n'));
    await typeKey(page, 'x');
    await page.waitForFunction(() => document.querySelector('#stop-run').hidden);
    const jg = await folderFile(page, 'jg.dat');
    assert.ok(jg.endsWith(`${kProduct}\r\n`), jg);

    // "打印": the print view holds jg.dat as the window prints it, and prints only that.
    await page.click('#cmddayin');
    await page.waitForSelector('#print-view:visible');
    const shown = await page.textContent('#print-lines');
    const dir = mkdtempSync(join(tmpdir(), 'yinshi-web-'));
    writeFileSync(join(dir, 'jg.dat'), Buffer.from(jg, 'latin1'));
    if (printLinesTool && !standIn) {
      const expected = execFileSync(printLinesTool, [join(dir, 'jg.dat')]).toString('utf8');
      assert.equal(shown + '\n', expected);
    }
    await page.emulateMedia({ media: 'print' });
    assert.equal(await page.isVisible('#print-lines'), true);
    assert.equal(await page.isVisible('#print-now'), false);
    assert.equal(await page.isVisible('#KAVO1'), false);
    await page.emulateMedia({ media: 'screen' });
    const [download] = await Promise.all([page.waitForEvent('download'), page.click('#download-jg')]);
    assert.equal(download.suggestedFilename(), 'jg.dat');
    assert.equal(readFileSync(await download.path(), 'latin1'), jg);
    await page.click('#print-close');
    assert.deepEqual(errors, []);
    times.wholeTextbookRunMs = Date.now() - opened;
    await context.close();
  });

  test('rejected inputs: a space before a digit, an empty text; a pasted form respelled', async () => {
    const { context, page } = await openPage();
    await enterPolynomial(page, 'x 2+1');
    await page.waitForFunction(() => document.querySelector('#Picture1').textContent.includes('输入错误！'));
    assert.deepEqual(await page.$$eval('#Picture1 > div', (d) => d.map((e) => e.textContent)), ['x 2+1', '输入错误！']);
    assert.equal(await page.isVisible('#OLE1'), false);
    assert.equal(await folderFile(page, 'DXS.DAT'), '"x 2+1"\r\n');
    assert.equal(await page.isDisabled('#CmdCHONGSHU'), true);
    assert.equal(await page.evaluate(() => document.activeElement.id), 'Text2');
    // Pasted as a homework sheet writes it, it is respelled in the box and passes; an empty
    // text is refused without touching DXS.DAT.
    await page.fill('#Text2', 'ｘ² ＋ 1');
    await page.click('#CmdWANCHANG');
    await page.waitForSelector('#OLE1:visible');
    assert.equal(await page.inputValue('#Text2'), 'x^2+1');
    await page.click('#Cmdshuru');
    assert.equal(await page.inputValue('#Text2'), '');
    await page.click('#CmdWANCHANG');
    assert.deepEqual(await page.$$eval('#Picture1 > div', (d) => d.map((e) => e.textContent)), ['', '输入错误！']);
    assert.equal(await folderFile(page, 'DXS.DAT'), '"x^2+1"\r\n');
    await context.close();
  });

  test('x, b and t during a long plain search; a run abandoned and a new one started', async () => {
    const { context, page } = await openPage({}, '?plain=1');
    await enterPolynomial(page, kLong);
    await startEngine(page);
    await waitScreen(page, /Press t exit/);
    const pressed = Date.now();
    await typeKey(page, 'x');
    await waitScreen(page, /Wait a moment!/);
    times.keyXToScreenMs = Date.now() - pressed;
    // b is answered by the stop check itself: the time from the key to its text on the screen.
    await page.click('#screen');
    const pressedB = Date.now();
    await page.keyboard.type('b');
    await waitScreen(page, /The process is operating now\./);
    times.keyBToScreenMs = Date.now() - pressedB;
    await typeKey(page, 't');
    await waitScreen(page, /Anew decompose y\/n \?/);
    await typeKey(page, 'n');
    await waitScreen(page, /Press any key after reading/);
    await typeKey(page, ' ');
    await page.waitForFunction(() => document.querySelector('#stop-run').hidden);

    // A search left running is abandoned by the stop button; the next run starts afresh.
    await startEngine(page);
    await waitScreen(page, /Press t exit/);
    await page.click('#stop-run');
    assert.equal(await page.isVisible('#stop-run'), false);
    await page.click('#Cmdshuru');
    await runTextbook(page);
    await context.close();
  });

  test('a phone: fits 375 px, readable text, touch keys answer the engine', async () => {
    const { context, page } = await openPage({ viewport: { width: 375, height: 667 }, isMobile: true, hasTouch: true, deviceScaleFactor: 2 });
    const fits = () => page.evaluate(() => document.documentElement.scrollWidth <= window.innerWidth);
    assert.ok(await fits(), 'the cover fits');
    await enterPolynomial(page, kTextbook, (p) => p.tap('#CmdWANCHANG'));
    await page.waitForSelector('#OLE1:visible');
    await page.tap('#OLE1');
    await page.tap('#OLE1');
    await waitScreen(page, /another solution\? y\/n/);
    await page.waitForSelector('#touch-keys button[data-key="n"]');
    assert.ok(await fits(), 'the input window with the screen fits');
    // The engine's text: the screen scaled to the width and, when that is small, the wrapped lines.
    const heights = await page.evaluate(() => {
      const line = [...document.querySelectorAll('#screen-lines > div')].find((d) => d.textContent.includes('y/n'));
      const box = document.querySelector('#screen-lines-box');
      return {
        lines: box.open ? parseFloat(getComputedStyle(line).fontSize) : 0,
        lineBox: line.getBoundingClientRect().height,
        screen: window.yinshiScreen.textHeight(),
      };
    });
    times.phoneScreenTextPx = Math.round(heights.screen * 10) / 10;
    times.phoneWrappedTextPx = heights.lines;
    assert.ok(Math.max(heights.lines, heights.screen) >= 9, JSON.stringify(heights));
    await page.evaluate(() => document.querySelector('#engine-panel').scrollIntoView());
    await page.waitForTimeout(300); // past the bell's flash
    await shoot(page, 'web-phone.png');
    if (shots) await page.screenshot({ path: join(shots, 'web-phone-full.png'), fullPage: true });
    await page.tap('#touch-keys button[data-key="n"]');
    await waitScreen(page, /Press any key after reading/);
    await page.tap('#touch-keys button[data-key="any"]');
    await page.waitForFunction(() => document.querySelector('#stop-run').hidden);
    await context.close();
  });

  test('installable, and offline after the first visit', async () => {
    const { context, page } = await openPage();
    await page.waitForFunction(() => window.yinshiTimes.offlineReady !== undefined, null, { timeout: 30000 });
    const cdp = await context.newCDPSession(page);
    const manifest = await cdp.send('Page.getAppManifest');
    assert.deepEqual(manifest.errors, []);
    const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
    // A test browser's context is a private one, which alone would keep an app from installing.
    assert.deepEqual(installabilityErrors.filter((e) => e.errorId !== 'in-incognito'), []);
    await context.setOffline(true);
    await page.reload();
    await page.waitForSelector('#cmdbao:visible');
    assert.ok(await page.evaluate(() => navigator.serviceWorker.controller !== null));
    await runTextbook(page);
    await context.close();
  });

  test('the English page', async () => {
    const { context, page } = await openPage({ locale: 'en-US' });
    assert.equal(await page.textContent('#cmdbao'), 'Start');
    await page.click('#cmdbao');
    assert.equal(await page.textContent('#CmdWANCHANG'), 'Done');
    await enterPolynomial(page, '2*x');
    await page.waitForFunction(() => document.querySelector('#Picture1').textContent.includes('Input error!'));
    await page.click('#Cmdbangzhu');
    assert.match(await page.textContent('#help-page'), /This program factors polynomials/);
    await page.click('#Cmdtuicxm');
    // The switch turns the page Chinese, and the choice outlives a reload.
    await page.click('#language-switch');
    assert.equal(await page.textContent('#CmdWANCHANG'), '输入完毕');
    assert.equal(await page.textContent('#Picture1 .error'), '输入错误！');
    await page.reload();
    assert.equal(await page.textContent('#cmdbao'), '输入多项式');
    await context.close();
  });
});
