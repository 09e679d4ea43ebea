// The page's session without a browser: whole games of the module itself, through the
// page's engine.js, saved in a storage shared by several tabs, as the page plays them.
// Usage: VELLUMFALL_MODULE=BUILD/vellumfall.js node --test session.test.mjs
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import { test } from 'node:test';
import { Session, keyContinues } from '../../web/session.js';
import { SaveSlot } from '../../web/save.js';
import { loadEngine } from '../../web/engine.js';
import { transcriptOf } from '../../web/turns.js';

const kKey = 'vellumfall.save';
const modulePath = process.env.VELLUMFALL_MODULE;
const createModule = createRequire(import.meta.url)(modulePath);
// Compiled once; each tab has a module of its own, as each page has.
const compiled = await WebAssembly.compile(fs.readFileSync(modulePath.replace(/js$/, 'wasm')));
const instantiateWasm = (imports, done) => {
  WebAssembly.instantiate(compiled, imports).then((instance) => done(instance, compiled));
  return {};
};
const [kTitleMenu, kField] = fs.readFileSync(new URL('../transcripts/walkthrough.out',
                                                     import.meta.url), 'utf8')
  .split('>>').map((answer) => `${answer}>>`);

class MemoryStorage {
  constructor() {
    this.items = new Map();
    this.refusing = false;
  }

  getItem(key) {
    return this.items.has(key) ? this.items.get(key) : null;
  }

  setItem(key, value) {
    if (this.refusing) {
      throw new Error('QuotaExceededError');
    }
    this.items.set(key, String(value));
  }

  removeItem(key) {
    this.items.delete(key);
  }

  key(index) {
    return [...this.items.keys()][index] ?? null;
  }

  get length() {
    return this.items.size;
  }
}

// A tab of the page on `storage`, its log restored; `start` loads its engine and waits for
// the game's first wait. `turns` is the log.
function openTab(storage, name) {
  const view = {
    turns: [], notices: [],
    state(state) { this.shown = state; },
    turn(record) { this.turns.push(record); },
    restore(records) { this.turns = [...records]; },
    takeBack(count) { this.turns.length = count; },
    clear() { this.turns = []; },
    notice(text) { this.notices.push(text); },
    colours() {}, position() {}, mapCleared() {},
  };
  const session = new Session({ slot: new SaveSlot(storage, name), view });
  session.restore();
  const tab = { session, view };
  tab.start = async () => {
    session.start(await loadEngine(createModule, { instantiateWasm }));
    await settle(tab);
  };
  return tab;
}

// Whatever the game does with what it was handed is done: it waits again.
async function settle({ session }) {
  do {
    await new Promise((resolve) => setImmediate(resolve));
  } while (session.state === 'busy' || session.state === 'loading');
}

async function play(tab, ...lines) {
  for (const line of lines) {
    assert.ok(tab.session.send(line), `${line} was taken`);
    await settle(tab);
  }
}

const logText = (tab) => transcriptOf(tab.view.turns);
const savedGame = (storage) => new SaveSlot(storage, 'reader').load();
const dropped = (tab) => tab.view.notices.some((notice) => notice.includes('could not be resumed'));

test('keys at a key wait: printable keys, Enter and Space once, never a shortcut nor a ' +
     "control's own", () => {
  const continues = (key, more = {}) => keyContinues({ key, repeat: false, ...more });
  assert.deepEqual(['x', 'Enter', ' ', 'é'].map((key) => continues(key)),
                   [true, true, true, true]);
  assert.deepEqual([continues('x', { repeat: true }), continues('c', { ctrlKey: true }),
                    continues('c', { metaKey: true }), continues('Tab'), continues('F5'),
                    continues('Enter', { onControl: true }), continues(' ', { onControl: true })],
                   [false, false, false, false, false, false, false]);
  assert.ok(continues('m', { onControl: true }));
});

test('lines typed ahead wait their turn, but none is carried into a new game', async () => {
  const tab = openTab(new MemoryStorage(), 'a');
  await tab.start();
  tab.session.send('a');
  tab.session.send('3');
  tab.session.send('b');
  await settle(tab);
  assert.equal(tab.view.shown, 'ended');
  assert.equal(tab.session.newGameQuestion(), null);
  tab.session.newGame();
  await settle(tab);
  assert.equal(tab.view.shown, 'line');
  assert.deepEqual(logText(tab), kTitleMenu);
});

test('a save resumes where the player was, at a key wait too; a version-1 save, and a ' +
     'record that does not replay to its screen, are dropped', async () => {
  const storage = new MemoryStorage();
  const first = openTab(storage, 'a');
  await first.start();
  await play(first, '1');
  assert.equal(first.view.shown, 'key');

  // Reloaded at the key wait, twice: it waits there, its log shown once.
  for (const name of ['b', 'c']) {
    const again = openTab(storage, name);
    assert.equal(logText(again), logText(first));
    await again.start();
    assert.equal(again.view.shown, 'key');
    assert.equal(logText(again), logText(first));
    assert.ok(!dropped(again));
  }

  const header = JSON.parse(storage.getItem(kKey));
  for (const damaged of [{ format: 1, tab: 'a', seed: 7, lines: 0, records: 0, keys: 0,
                           ended: false },
                         { ...header, record: header.record.replace('line 1', 'line 2') }]) {
    storage.setItem(kKey, JSON.stringify(damaged));
    const resumed = openTab(storage, 'd');
    await resumed.start();
    assert.ok(dropped(resumed));
    assert.equal(logText(resumed), kTitleMenu);
  }
});

test('two tabs: whichever plays last, the save holds all its lines; the tab that stepped ' +
     'aside stays aside, and says it', async () => {
  const storage = new MemoryStorage();
  const first = openTab(storage, 'a');
  await first.start();
  await play(first, 'x');

  // A reloads and is still loading (or replaying: its replay lets no storage event in)
  // while B resumes the game and plays on.
  const loading = openTab(storage, 'a2');
  const other = openTab(storage, 'b');
  await other.start();
  await play(other, 'y');
  await loading.start();
  assert.equal(loading.view.shown, 'aside');
  assert.ok(loading.view.notices.includes('This game went on in another tab.'));
  assert.ok(!loading.session.send('z'));
  assert.ok(!loading.session.keyWaitOpen);
  loading.session.storageChanged(kKey);
  assert.equal(loading.view.shown, 'aside');
  await play(other, 'w');
  assert.deepEqual(savedGame(storage).lines, ['x', 'y', 'w']);

  // Play here: the aside tab loads again, with every line, and the other steps aside.
  const back = openTab(storage, 'a3');
  await back.start();
  other.session.storageChanged(kKey);
  assert.equal(other.view.shown, 'aside');
  await play(back, 'v');
  assert.ok(!other.session.send('u'));
  assert.deepEqual(savedGame(storage).lines, ['x', 'y', 'w', 'v']);
  assert.match(other.session.newGameQuestion(), /another tab/);
});

test('a refused save is said, and so is saving again; nothing is lost between', async () => {
  const storage = new MemoryStorage();
  const tab = openTab(storage, 'a');
  await tab.start();
  storage.refusing = true;
  await play(tab, 'x', 'y');
  storage.refusing = false;
  await play(tab, 'z');
  assert.deepEqual(tab.view.notices.filter((notice) => notice !== ''), [
    'This browser did not save the game: a reload would lose the turns played since.',
    'The game is saved again.',
  ]);
  assert.deepEqual(savedGame(storage).lines, ['x', 'y', 'z']);
});

test('import: a foreign file, and a save that does not replay, change nothing; a save ' +
     'resumes at its screen and answers as its game would; undo goes back to the turn ' +
     'before, or shows the screen from before the log, is kept, and goes on to the start',
     async () => {
  const source = openTab(new MemoryStorage(), 'a');
  await source.start();
  await play(source, '0', 'w', 'n');
  const file = source.session.saveFile;
  const storage = new MemoryStorage();
  const tab = openTab(storage, 'b');
  await tab.start();
  await play(tab, '0');
  const before = [logText(tab), storage.getItem(kKey)];
  const bytes = (text) => new TextEncoder().encode(text);
  for (const [name, text, problem] of [
    ['x.save', 'x', 'not a Vellumfall save'],
    ['y.save', file.replace('line w', 'line e'), 'it does not replay to where it was saved']]) {
    tab.session.importSave(name, bytes(text));
    await settle(tab);
    assert.equal(tab.view.notices.at(-1), `${name}: ${problem}`);
    assert.deepEqual([logText(tab), storage.getItem(kKey)], before);
  }

  assert.match(tab.session.importQuestion('vellumfall.save'), /game under way will be lost/);
  tab.session.importSave('vellumfall.save', bytes(file));
  await settle(tab);
  // The screen since the last clear: here, the whole game.
  const screen = logText(source);
  assert.equal(logText(tab), screen);
  await play(tab, 'i');
  await play(source, 'i');
  assert.equal(tab.view.turns.at(-1).text, source.view.turns.at(-1).text);
  assert.equal(savedGame(storage).record, source.session.saveFile);

  const undo = async (again) => {
    again.session.undo();
    await settle(again);
    return again.view.turns.at(-1).text;
  };
  assert.equal(await undo(tab), screen);
  assert.equal(tab.view.turns.length, 1);
  assert.equal(await undo(tab), transcriptOf(source.view.turns.slice(0, 3)));
  assert.ok(tab.view.turns.at(-1).newScreen);
  const reloaded = openTab(storage, 'c');
  await reloaded.start();
  assert.equal(logText(reloaded), logText(tab));
  await undo(reloaded);
  assert.equal(await undo(reloaded), kTitleMenu);
  assert.ok(!reloaded.session.canUndo);
});
