// The page's view of the game: it draws what the session (session.js) says into the log,
// the map and the controls, and hands it the player's lines, keys, choices and save files.
// The module is loaded through engine.js, the one place that knows it.
import { LogView } from './log.js';
import { AutoMap } from './map.js';
import { SaveSlot } from './save.js';
import { Session, keyContinues, kLargestImport } from './session.js';
import { transcriptOf } from './turns.js';
import { loadEngine, kSaveName } from './engine.js';

const main = document.querySelector('main');
const logElement = document.getElementById('log');
const log = new LogView(logElement);
const map = new AutoMap(document.getElementById('map'), document.getElementById('map-button'),
                        openStorage());
const form = document.getElementById('command-form');
const input = document.getElementById('command');
const sendButton = document.getElementById('send');
const status = document.getElementById('status');
const continueButton = document.getElementById('continue');
const playHereButton = document.getElementById('play-here');
const newGameButton = document.getElementById('new-game');
const undoButton = document.getElementById('undo');
const savesDialog = document.getElementById('saves');
const exportButton = document.getElementById('export-save');
const importFile = document.getElementById('import-file');

const tab = `${Date.now().toString(36)}-${Math.random().toString(36).slice(2)}`;

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

function download(text, name, type) {
  const link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([text], { type }));
  link.download = name;
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 0);
}

// The focus follows the game where it was on the game's own places (the input, Send,
// Continue, the log that was tapped) or nowhere, and stays on any other control.
function moveFocus(to) {
  const from = document.activeElement;
  if ([null, document.body, input, sendButton, continueButton, logElement].includes(from)) {
    to.focus();
  }
}

// Made after the view, which it tells its first state while it is being made.
let session = null;

const view = {
  state(state) {
    main.dataset.state = state;
    // Undo stays enabled while the game is busy, so that the focus stays on it for the
    // next undo; it takes back a line only once the game waits.
    undoButton.disabled = !session?.canUndo;
    exportButton.disabled = session?.saveFile == null;
    const closed = state === 'ended' || state === 'aside';
    input.disabled = closed;
    input.readOnly = state === 'loading';
    if (state !== 'loading') {
      input.removeAttribute('aria-disabled');
    }
    sendButton.disabled = closed || state === 'loading';
    continueButton.hidden = state !== 'key';
    playHereButton.hidden = state !== 'aside';
    if (state !== 'loading' && state !== 'busy') {
      log.goLive();
    }
    if (state === 'key') {
      moveFocus(continueButton);
    } else if (state === 'ended') {
      moveFocus(newGameButton);
    } else if (state === 'aside') {
      moveFocus(playHereButton);
    } else if (state === 'line' || state === 'busy') {
      moveFocus(input);
    }
  },
  turn: (record) => log.append(record),
  restore: (records) => log.show(records),
  takeBack: (count) => log.takeBack(count),
  clear: () => log.clear(),
  notice: say,
  colours: () => document.body.classList.add('game-colours'),
  position: (level, x, y, kind) => map.record(level, x, y, kind),
  mapCleared: () => map.clear(),
};

session = new Session({ slot: new SaveSlot(openStorage(), tab), view });

// No form is ever submitted natively (method="dialog" outside a dialog goes nowhere).
form.addEventListener('submit', (event) => {
  event.preventDefault();
  const line = input.value;
  if (session.send(line)) {
    input.value = '';
  }
  input.focus();
});

// Send takes no focus from the input, so that a phone keeps its keyboard open.
sendButton.addEventListener('mousedown', (event) => event.preventDefault());

input.addEventListener('keydown', (event) => {
  const step = { ArrowUp: -1, ArrowDown: 1 }[event.key];
  const line = step === undefined ? undefined : session.history.recall(step);
  if (line !== undefined) {
    event.preventDefault();
    input.value = line;
  }
});

// At a key wait, a key continues as keyContinues says; it is neither typed nor sent.
// Keys meant for the map, for Settings, or for a focused control stay theirs.
window.addEventListener('keydown', (event) => {
  if (!session.keyWaitOpen || map.takesKey(event) || event.target.closest('dialog')) {
    return;
  }
  const onControl = event.target.matches('button, select, a[href], summary');
  if (keyContinues({ key: event.key, repeat: event.repeat, ctrlKey: event.ctrlKey,
                     metaKey: event.metaKey, altKey: event.altKey, onControl })) {
    event.preventDefault();
    event.stopPropagation();
    session.continueGame();
  }
}, true);

// A tap on the log continues too; a swipe or a scroll makes no click, and neither does
// selecting text.
logElement.addEventListener('click', () => {
  if (window.getSelection().isCollapsed) {
    session.continueGame();
  }
});

continueButton.addEventListener('click', () => session.continueGame());

document.getElementById('transcript').addEventListener('click', () => {
  download(transcriptOf(log.records), 'vellumfall-transcript.txt', 'text/plain;charset=utf-8');
});

undoButton.addEventListener('click', () => session.undo());

const savesButton = document.getElementById('saves-button');
savesButton.addEventListener('click', () => {
  savesDialog.returnValue = '';
  savesDialog.showModal();
});
// Back to Saves, or on to the input for the game just imported.
savesDialog.addEventListener('close', () => {
  (savesDialog.returnValue === 'imported' ? input : savesButton).focus();
});

// As bytes: a browser would take a .save for some other type of file.
exportButton.addEventListener('click', () => {
  download(session.saveFile, kSaveName, 'application/octet-stream');
});

// A save file, chosen or dropped on the page, is resumed when the player agrees to lose
// the game under way; a file that cannot be resumed changes nothing.
async function importSave(file) {
  await session.loaded;
  // No more than that is read, however large the file.
  const bytes = new Uint8Array(await file.slice(0, kLargestImport + 1).arrayBuffer());
  // A file that cannot be resumed is said at once, and nothing is asked.
  if (!session.importable(file.name, bytes)) {
    return;
  }
  const question = session.importQuestion(file.name);
  if (question !== null && !window.confirm(question)) {
    return;
  }
  if (savesDialog.open) {
    savesDialog.close('imported');
  } else {
    input.focus();
  }
  session.importSave(file.name, bytes);
}

document.getElementById('import-save').addEventListener('click', () => importFile.click());
importFile.addEventListener('change', () => {
  const [file] = importFile.files;
  importFile.value = '';
  if (file !== undefined) {
    importSave(file);
  }
});

// Files only: text dragged into the input is the browser's to drop.
const carriesFiles = (event) => event.dataTransfer.types.includes('Files');
window.addEventListener('dragover', (event) => {
  if (carriesFiles(event)) {
    event.preventDefault();
    event.dataTransfer.dropEffect = 'copy';
  }
});
window.addEventListener('drop', (event) => {
  if (carriesFiles(event)) {
    event.preventDefault();
    if (event.dataTransfer.files.length > 0) {
      importSave(event.dataTransfer.files[0]);
    }
  }
});

playHereButton.addEventListener('click', () => window.location.reload());

window.addEventListener('storage', (event) => session.storageChanged(event.key));

newGameButton.addEventListener('click', () => {
  if (session.state === 'loading') {
    return;
  }
  const question = session.newGameQuestion();
  const confirmed = question === null || window.confirm(question);
  input.focus();
  if (confirmed) {
    session.newGame();
  }
});

// The service worker's address passes a Trusted Types policy where the host enforces
// them; a refused registration is said, since offline play goes with it.
function registerServiceWorker() {
  if (!('serviceWorker' in navigator)) {
    return;
  }
  let url = 'sw.js';
  try {
    if (window.trustedTypes) {
      url = window.trustedTypes.createPolicy('vellumfall-sw', {
        createScriptURL: (address) => {
          if (address !== 'sw.js') {
            throw new TypeError(`${address} is not the service worker`);
          }
          return address;
        },
      }).createScriptURL('sw.js');
    }
  } catch {
    // A host whose policy list leaves this one out: the registration below says so.
  }
  navigator.serviceWorker.register(url).catch((error) => {
    say(`This page will not play offline: ${error.message}`);
  });
}

// In the input from the start, reload or not (a browser may not autofocus on a reload): a
// screen reader then starts there rather than reading the page out from the top.
if (document.activeElement === document.body) {
  input.focus();
}
const loadingNotice = status.textContent;
session.restore();
// With nothing restored there is nothing to keep quiet: the log is live from the start, so
// that the title menu is news on every browser.
if (log.records.length === 0) {
  log.goLive();
}
// Orca forgets what a live region said before the page's load completes: a module quick
// to load would have the title menu said to no one.
const pageLoaded = document.readyState === 'complete' ? Promise.resolve()
  : new Promise((resolve) => window.addEventListener('load', resolve, { once: true }));
loadEngine(window.createVellumfall).then(async (engine) => {
  await pageLoaded;
  if (status.textContent === loadingNotice) {
    say('');
  }
  // The game's first turn in a task of its own, after the module's instantiation: two
  // short tasks keep a phone answering where one long one would not.
  await new Promise((resolve) => setTimeout(resolve));
  session.start(engine);
  registerServiceWorker();
}, (error) => {
  say(`The game could not be loaded: ${error}`);
});
