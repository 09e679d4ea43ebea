// The page's side of the game: the game's text goes into the log a turn at a time, the
// player's lines come from the one input, the console's effects become the page's, and
// every turn is saved so that the game outlives the page. This is the host the
// WebAssembly module calls (src/platform/web/HostCalls.cpp).
import { LogView, TurnRecorder, transcriptOf } from './log.js';
import { AutoMap } from './map.js';
import { SaveDamaged, SaveSlot } from './save.js';

const kModifiers = new Set(['Shift', 'Control', 'Alt', 'AltGraph', 'Meta', 'CapsLock']);

const main = document.querySelector('main');
const view = new LogView(document.getElementById('log'));
const map = new AutoMap(document.getElementById('map'), document.getElementById('map-button'));
const form = document.getElementById('command-form');
const input = document.getElementById('command');
const sendButton = document.getElementById('send');
const status = document.getElementById('status');
const continueButton = document.getElementById('continue');
const playHereButton = document.getElementById('play-here');
const newGameButton = document.getElementById('new-game');
const transcriptButton = document.getElementById('transcript');
const encoder = new TextEncoder();

const tab = `${Date.now().toString(36)}-${Math.random().toString(36).slice(2)}`;
const slot = new SaveSlot(openStorage(), tab);

// The game being played, as the save keeps it.
let game = null;
// The game under way in the module: its recorder, the save it is replaying, and whether it is
// being ended early (for a new game, or a save that does not replay).
let session = null;
// Lines sent before the game asked for them, in order.
let queued = [];
let lineWanted = null;
let keyWanted = null;
let steppedAside = false;
let saveRefused = false;
const history = [];
let recalled = 0;

function openStorage() {
  try {
    return window.localStorage;
  } catch {
    return null;
  }
}

function say(notice) {
  status.textContent = notice;
}

// What the game waits for, for the styles and the tests: line, key, busy or ended.
function setState(state) {
  main.dataset.state = state;
  const ended = state === 'ended';
  input.disabled = ended;
  sendButton.disabled = ended;
  continueButton.hidden = state !== 'key';
}

function save() {
  if (steppedAside || session.replay !== null || session.ending) {
    return;
  }
  if (!slot.write(game) && !saveRefused) {
    saveRefused = true;
    say('This browser did not save the game: a reload would lose the turns played since.');
  }
}

function takeLine(line) {
  session.recorder.sent(line);
  game.lines.push(line);
  game.keys = 0;
  return encoder.encode(`${line}\n`);
}

// The replay is over at the first wait after its last line and key. It stands when the
// game said, again, exactly what the log shows.
function finishReplay() {
  const { saved, next, keys } = session.replay;
  session.replay = null;
  const same = next === saved.lines.length && keys === 0 && game.ended === saved.ended &&
      JSON.stringify(game.records) === JSON.stringify(saved.records);
  if (!same) {
    session.ending = true;
    session.damaged = true;
    return false;
  }
  save();
  return true;
}

// Returns the next saved line, null when the save does not replay, or undefined when the
// replay is over and the game goes on live.
function replayLine() {
  const { replay } = session;
  if (replay.next < replay.saved.lines.length) {
    return takeLine(replay.saved.lines[replay.next++]);
  }
  if (replay.keys > 0) {
    session.ending = true;
    session.damaged = true;
  }
  return session.ending || !finishReplay() ? null : undefined;
}

function read() {
  session.recorder.endTurn();
  if (session.replay !== null && !session.ending) {
    const line = replayLine();
    if (line !== undefined) {
      return Promise.resolve(line);
    }
  }
  if (session.ending) {
    return Promise.resolve(null);
  }
  save();
  if (queued.length > 0) {
    return Promise.resolve(takeLine(queued.shift()));
  }
  setState('line');
  return new Promise((resolve) => {
    lineWanted = resolve;
  });
}

// Key waits continue by themselves while a save is replayed, up to where the player was.
function waitForKey() {
  session.recorder.endTurn();
  const { replay } = session;
  if (replay !== null && !session.ending) {
    if (replay.next < replay.saved.lines.length) {
      return Promise.resolve();
    }
    if (replay.keys > 0) {
      replay.keys -= 1;
      game.keys += 1;
      return Promise.resolve();
    }
    finishReplay();
  }
  if (session.ending) {
    return Promise.resolve();
  }
  save();
  setState('key');
  continueButton.focus();
  return new Promise((resolve) => {
    keyWanted = resolve;
  });
}

function keyWaitOpen() {
  return keyWanted !== null && !steppedAside;
}

function continueGame() {
  const resolve = keyWanted;
  keyWanted = null;
  game.keys += 1;
  setState('busy');
  input.focus();
  resolve();
}

// The page is a terminal at both ends, which shows the game's effects itself.
const host = {
  isTerminal: () => true,
  environment: () => undefined,
  showsEffects: true,
  read,
  write: (stream, bytes) => session.recorder.write(bytes),
  setColours: () => document.body.classList.add('game-colours'),
  // The log keeps its colours, as a terminal keeps the text it has shown.
  resetColours: () => {},
  clearScreen: () => session.recorder.clear(),
  waitForKey,
  showPosition: (level, x, y, kind) => map.record(level, x, y, kind),
};

// Plays one game to its end, first replaying `saved` when there is one. Returns how it
// ended: 'ended', 'abandoned' or 'damaged'.
async function runSession(module, saved) {
  game = { seed: saved ? saved.seed : Math.floor(Date.now() / 1000) % 0x80000000,
           lines: [], keys: 0, ended: false, records: [] };
  const recorder = new TurnRecorder((record) => {
    game.records.push(record);
    if (session.replay === null && !session.ending) {
      view.append(record);
    }
  });
  session = { recorder, replay: saved ? { saved, next: 0, keys: saved.keys } : null,
              ending: false, damaged: false };
  // A replayed save draws the map again as it goes.
  map.clear();
  setState('busy');
  module.ccall('useSeed', null, ['number'], [game.seed]);
  session.finished = module.ccall('run', 'number', ['number', 'array'], [0, new Uint8Array(0)],
                                  { async: true });
  const exitStatus = await session.finished;
  recorder.endTurn();
  if (!session.ending) {
    game.ended = true;
    if (session.replay === null || finishReplay()) {
      save();
      // Lines typed ahead of the end belong to no game.
      queued = [];
      setState('ended');
      say(exitStatus === 0 ? 'The game has ended.' : 'The game has stopped: it could not go on.');
      newGameButton.focus();
      return 'ended';
    }
  }
  return session.damaged ? 'damaged' : 'abandoned';
}

// Ends the game under way early: its input ends, its key wait continues, and whatever it
// says in the meantime is neither shown nor saved.
async function abandonSession() {
  if (session === null || game.ended) {
    return;
  }
  session.ending = true;
  queued = [];
  if (lineWanted !== null) {
    lineWanted(null);
    lineWanted = null;
  }
  if (keyWanted !== null) {
    keyWanted();
    keyWanted = null;
  }
  await session.finished;
}

async function play(module, saved) {
  for (;;) {
    const ending = await runSession(module, saved);
    if (ending !== 'damaged') {
      return;
    }
    dropSave();
    saved = null;
  }
}

function dropSave() {
  slot.discard();
  view.clear();
  say('The saved game could not be resumed, so a new game has begun.');
}

function underway() {
  return game !== null && !game.ended && game.lines.length > 0;
}

async function startNewGame(module) {
  if (underway() &&
      !window.confirm('Start a new game? The game under way will be lost.')) {
    input.focus();
    return;
  }
  await abandonSession();
  slot.discard();
  view.clear();
  steppedAside = false;
  playHereButton.hidden = true;
  say('');
  input.focus();
  await play(module, null);
}

// Another tab has played on in the shared save: this one stops, so that the two do not
// overwrite each other, and offers to take the game back.
function stepAside() {
  steppedAside = true;
  setState('ended');
  playHereButton.hidden = false;
  say('This game went on in another tab.');
}

// Send takes no focus from the input, so that a phone keeps its keyboard open.
sendButton.addEventListener('mousedown', (event) => event.preventDefault());

form.addEventListener('submit', (event) => {
  event.preventDefault();
  const line = input.value;
  input.value = '';
  input.focus();
  remember(line);
  if (lineWanted !== null) {
    const resolve = lineWanted;
    lineWanted = null;
    setState('busy');
    resolve(takeLine(line));
  } else {
    queued.push(line);
  }
});

function remember(line) {
  if (line !== '' && line !== history[history.length - 1]) {
    history.push(line);
  }
  recalled = history.length;
}

input.addEventListener('keydown', (event) => {
  const step = { ArrowUp: -1, ArrowDown: 1 }[event.key];
  if (!step || recalled + step < 0 || recalled + step > history.length) {
    return;
  }
  event.preventDefault();
  recalled += step;
  input.value = history[recalled] ?? '';
});

// At a key wait, any key continues, but the map's own; it is neither typed nor sent.
window.addEventListener('keydown', (event) => {
  if (!keyWaitOpen() || event.repeat || kModifiers.has(event.key) || map.takesKey(event)) {
    return;
  }
  event.preventDefault();
  event.stopPropagation();
  continueGame();
}, true);

// A tap on the log continues too; a swipe or a scroll makes no click, and neither does
// selecting text.
document.getElementById('log').addEventListener('click', () => {
  if (keyWaitOpen() && window.getSelection().isCollapsed) {
    continueGame();
  }
});

continueButton.addEventListener('click', () => {
  if (keyWaitOpen()) {
    continueGame();
  }
});

transcriptButton.addEventListener('click', () => {
  const text = transcriptOf(view.records);
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([text], { type: 'text/plain;charset=utf-8' }));
  link.download = 'vellumfall-transcript.txt';
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 0);
});

playHereButton.addEventListener('click', () => window.location.reload());

window.addEventListener('storage', (event) => {
  if (!steppedAside && SaveSlot.isHeader(event.key) && slot.takenElsewhere()) {
    stepAside();
  }
});

// The saved game's log is shown at once, before the module has loaded; the replay then
// checks it.
let saved = null;
try {
  saved = slot.load();
} catch (error) {
  if (!(error instanceof SaveDamaged)) {
    throw error;
  }
  dropSave();
}
if (saved !== null) {
  view.show(saved.records);
  saved.lines.forEach(remember);
}
setState('busy');

createVellumfall({ host }).then((module) => {
  newGameButton.addEventListener('click', () => startNewGame(module));
  play(module, saved);
  if ('serviceWorker' in navigator) {
    navigator.serviceWorker.register('sw.js').catch(() => {});
  }
}, (error) => {
  say(`The game could not be loaded: ${error}`);
});
