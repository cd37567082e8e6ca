// Writes the window program's texts and their English translations (Qt Linguist's .ts file)
// as an ES module for the page, so that the page shows the very texts the window shows.
// Usage: node window_texts.mjs <yinshi_en.ts> <out.js>
import { readFileSync, writeFileSync } from 'node:fs';

const entities = { quot: '"', apos: "'", lt: '<', gt: '>', amp: '&' };
const unescape = (s) =>
  s.replace(/&(#x[0-9a-f]+|#[0-9]+|[a-z]+);/gi, (whole, name) => {
    if (name[0] === '#') return String.fromCodePoint(parseInt(name.slice(name[1] === 'x' ? 2 : 1), name[1] === 'x' ? 16 : 10));
    return entities[name] ?? whole;
  });

const [tsPath, outPath] = process.argv.slice(2);
const ts = readFileSync(tsPath, 'utf8');
const texts = {};
for (const context of ts.matchAll(/<context>\s*<name>([^<]*)<\/name>([\s\S]*?)<\/context>/g)) {
  const messages = {};
  for (const m of context[2].matchAll(/<source>([\s\S]*?)<\/source>\s*<translation[^>]*>([\s\S]*?)<\/translation>/g))
    messages[unescape(m[1])] = unescape(m[2]);
  texts[context[1]] = messages;
}
writeFileSync(outPath,
  '// Made by tools/window_texts.mjs from the window program\'s translation file.\n' +
  `export const kWindowTexts = ${JSON.stringify(texts, null, 1)};\n`);
