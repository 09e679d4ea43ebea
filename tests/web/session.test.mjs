// The page's session without a browser: whole games of a small scripted engine, saved in
// a storage shared by several tabs, as the page plays them.
// Usage: node --test session.test.mjs
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { Session, keyContinues } from '../../web/session.js';
import { SaveSlot } from '../../web/save.js';

const kKey = 'vellumfall.save';

// An engine of the real one's shape: each line is answered; "k" waits for two keys,
// clearing the screen after each; "q" ends the game.
async function engine(seed, game) {
  game.write(`Game ${seed}\n>>`);
  for (;;) {
    const line = await game.read();
    if (line === null || line === 'q') {
      return 0;
    }
    for (let key = 0; line === 'k' && key < 2; key += 1) {
      game.write('Press any key');
      await game.waitForKey();
      game.clear();
    }
    game.write(`${line}!\n>>`);
  }
}

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

// Whatever the game does with what it was handed is done.
const settle = () => new Promise((resolve) => setImmediate(resolve));

// A tab of the page on `storage`, its log restored; `start` loads its engine.
function openTab(storage, name) {
  const view = {
    turns: [], notices: [], restored: [],
    state(state) { this.shown = state; },
    turn(record) { this.turns.push(record); },
    restore(records) { this.restored = records; },
    clear() { this.turns = []; },
    notice(text) { this.notices.push(text); },
    colours() {}, position() {}, mapCleared() {},
  };
  const session = new Session({ slot: new SaveSlot(storage, name), view, newSeed: () => 7 });
  session.restore();
  const start = () => {
    session.start(engine);
    return settle();
  };
  return { session, view, start };
}

async function play(tab, ...lines) {
  for (const line of lines) {
    assert.ok(tab.session.send(line), `${line} was taken`);
    await settle();
  }
}

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
  tab.session.send('q');
  tab.session.send('b');
  await settle();
  assert.equal(tab.view.shown, 'ended');
  assert.equal(tab.session.newGameQuestion(), null);
  tab.session.newGame();
  await settle();
  assert.equal(tab.view.shown, 'line');
  assert.deepEqual(tab.view.turns.map((turn) => turn.text), ['Game 7\n>>']);
});

test('a save resumes where the player was: key presses counted back into the replay, ' +
     'and a save that does not end where its game does is dropped', async () => {
  const storage = new MemoryStorage();
  const first = openTab(storage, 'a');
  await first.start();
  await play(first, 'x', 'k');
  assert.ok(first.session.continueGame());
  await settle();
  assert.equal(first.view.shown, 'key');

  // Reloaded twice at the second key wait: it waits there, and the key pressed is kept.
  for (const name of ['b', 'c']) {
    const again = openTab(storage, name);
    assert.equal(again.view.restored.length, first.session.game.records.length);
    await again.start();
    assert.equal(again.view.shown, 'key');
    assert.equal(savedGame(storage).keys, 1);
    assert.ok(!dropped(again));
  }

  const ended = openTab(new MemoryStorage(), 'd');
  await ended.start();
  await play(ended, 'x', 'q');
  const storageOf = ended.session.slot.storage;
  const header = JSON.parse(storageOf.getItem(kKey));
  storageOf.setItem(kKey, JSON.stringify({ ...header, ended: false }));
  const resumed = openTab(storageOf, 'e');
  await resumed.start();
  assert.ok(dropped(resumed));
  assert.equal(resumed.view.shown, 'line');
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
