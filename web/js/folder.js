// The page's working folder: the files the window would keep in its folder (DXS.DAT, and what
// the last run of the engine left: jg.dat, dj.dat, ...). Kept in the browser's storage, so a
// reload, or a visit offline, can still print the last transcript.
const kStoreKey = 'yinshi.folder';

function toBase64(bytes) {
  let text = '';
  for (let i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
  return btoa(text);
}

function fromBase64(text) {
  const raw = atob(text);
  const bytes = new Uint8Array(raw.length);
  for (let i = 0; i < raw.length; ++i) bytes[i] = raw.charCodeAt(i);
  return bytes;
}

export class Folder {
  constructor(storage) {
    this.storage = storage;
    this.files = new Map();
    try {
      const kept = JSON.parse(storage?.getItem(kStoreKey) || '{}');
      for (const [name, data] of Object.entries(kept)) this.files.set(name, fromBase64(data));
    } catch {
      this.files.clear();
    }
  }

  read(name) {
    return this.files.get(name) ?? null;
  }

  write(name, bytes) {
    this.files.set(name, bytes instanceof Uint8Array ? bytes : new TextEncoder().encode(bytes));
    this.save();
  }

  // What a run of the engine left replaces what the folder held under the same names.
  writeAll(files) {
    for (const [name, bytes] of Object.entries(files)) this.files.set(name, bytes);
    this.save();
  }

  entries() {
    return Object.fromEntries(this.files);
  }

  save() {
    const kept = {};
    for (const [name, bytes] of this.files) kept[name] = toBase64(bytes);
    try {
      this.storage?.setItem(kStoreKey, JSON.stringify(kept));
    } catch {
      // Storage full or refused: the files stay for this visit.
    }
  }
}
