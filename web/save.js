// The game kept in the browser's localStorage after every turn: the game's own save (the
// record the module writes, docs/save-format.md), which brings the game back exactly, and
// the page's: the log's records and the lines the player sent, for Up and Down.
//
// The lines and records are stored in chunks of a fixed size, of which a turn rewrites only
// the last: saving costs the same at turn 3,000 as at turn 1. The header, written last,
// holds the game's save and says how many lines and records belong with it, so a chunk
// written ahead of it is harmless and the log never tells of another turn than the save.
// It also names the tab that wrote it: tabs share one save, and a tab writes only over the
// header it last read or wrote itself, so that it never overwrites another tab's turns.
//
// This file is the save's format: the session hands it the game and takes the game back,
// and knows nothing of how it is kept.

const kKey = 'vellumfall.save';
// Format 1 kept a seed and the lines, which no longer bring a game back: it is dropped.
const kFormat = 2;
const kChunkSize = 100;

// What the save says about the game, checked field by field: anything else is foreign.
const kHeaderFields = {
  format: (value) => value === kFormat,
  tab: (value) => typeof value === 'string',
  record: (value) => typeof value === 'string' || value === null,
  lines: (value) => Number.isSafeInteger(value) && value >= 0,
  records: (value) => Number.isSafeInteger(value) && value >= 0,
  ended: (value) => typeof value === 'boolean',
};

const isLine = (value) => typeof value === 'string';
const isRecord = (value) => typeof value === 'object' && value !== null &&
    typeof value.text === 'string' &&
    (value.command === undefined || typeof value.command === 'string') &&
    (value.newScreen === undefined || value.newScreen === true);

export class SaveDamaged extends Error {
  constructor(message) {
    super(message);
    this.name = 'SaveDamaged';
  }
}

export class SaveSlot {
  // `storage` is null where the browser keeps nothing (storage turned off).
  constructor(storage, tab) {
    this.storage = storage;
    this.tab = tab;
    this.written = { lines: 0, records: 0 };
    // The header as this tab last read or wrote it (null: no save).
    this.header = null;
  }

  // Returns the saved game, null when there is none; throws SaveDamaged when the save
  // cannot be read back whole.
  load() {
    this.header = this.storage === null ? null : this.storage.getItem(kKey);
    const header = this.readHeader();
    if (header === null) {
      return null;
    }
    for (const [field, valid] of Object.entries(kHeaderFields)) {
      if (!valid(header[field])) {
        throw new SaveDamaged(`the save's ${field} is not one this page knows`);
      }
    }
    const game = {
      record: header.record,
      lines: this.readList('lines', header.lines, isLine),
      ended: header.ended,
      records: this.readList('records', header.records, isRecord),
    };
    this.written = { lines: header.lines, records: header.records };
    return game;
  }

  // Saves `game` ({ record, lines, ended, records }): the game's save (null before it has
  // one), and lists that have grown since the last write or been cut short. Returns false
  // when the browser refused (a full or disabled storage).
  write(game) {
    if (this.storage === null) {
      return false;
    }
    try {
      this.writeList('lines', game.lines);
      this.writeList('records', game.records);
      const header = JSON.stringify({
        format: kFormat, tab: this.tab, record: game.record, lines: game.lines.length,
        records: game.records.length, ended: game.ended,
      });
      this.storage.setItem(kKey, header);
      this.header = header;
    } catch {
      return false;
    }
    this.written = { lines: game.lines.length, records: game.records.length };
    return true;
  }

  discard() {
    if (this.storage === null) {
      return;
    }
    const ours = [];
    for (let index = 0; index < this.storage.length; index += 1) {
      const key = this.storage.key(index);
      if (key === kKey || key.startsWith(`${kKey}.`)) {
        ours.push(key);
      }
    }
    for (const key of ours) {
      this.storage.removeItem(key);
    }
    this.written = { lines: 0, records: 0 };
    this.header = null;
  }

  // Whether `key`, from a storage event, is the header (null: the whole storage changed).
  isHeader(key) {
    return key === null || key === kKey;
  }

  // Another tab has written or discarded the save since this one last read or wrote it.
  takenElsewhere() {
    if (this.storage === null) {
      return false;
    }
    try {
      return this.storage.getItem(kKey) !== this.header;
    } catch {
      return true;
    }
  }

  // This tab takes the save over, whatever another tab wrote since: its next write stands.
  takeOver() {
    try {
      this.header = this.storage === null ? null : this.storage.getItem(kKey);
    } catch {
      // Then the next write fails, and says so.
    }
  }

  readHeader() {
    const text = this.storage === null ? null : this.storage.getItem(kKey);
    if (text === null) {
      return null;
    }
    try {
      const header = JSON.parse(text);
      return typeof header === 'object' && header !== null ? header : {};
    } catch {
      throw new SaveDamaged('the save is not JSON');
    }
  }

  readList(name, length, valid) {
    let list = [];
    for (let chunk = 0; chunk * kChunkSize < length; chunk += 1) {
      let items;
      try {
        items = JSON.parse(this.storage.getItem(`${kKey}.${name}.${chunk}`));
      } catch {
        items = null;
      }
      if (!Array.isArray(items)) {
        throw new SaveDamaged(`the save's ${name} are missing`);
      }
      list = list.concat(items);
    }
    if (list.length < length || !list.slice(0, length).every(valid)) {
      throw new SaveDamaged(`the save's ${name} are damaged`);
    }
    return list.slice(0, length);
  }

  // Rewrites the chunks from the one holding the first item not yet written. A list cut
  // short keeps its chunks: the header says where it ends.
  writeList(name, list) {
    this.written[name] = Math.min(this.written[name], list.length);
    for (let chunk = Math.floor(this.written[name] / kChunkSize);
      chunk * kChunkSize < list.length; chunk += 1) {
      const items = list.slice(chunk * kChunkSize, (chunk + 1) * kChunkSize);
      this.storage.setItem(`${kKey}.${name}.${chunk}`, JSON.stringify(items));
    }
  }
}
