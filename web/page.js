'use strict';
// The page's side of the game: the game's text goes into the log, the player's lines come
// from the one input, and the console's effects become the page's. This is the host the
// WebAssembly module calls (src/platform/web/HostCalls.cpp).
(() => {
  // All of playGame's bits (src/platform/web/main.cpp): the page is a terminal at both
  // ends, with colours.
  const kWholeTerminal = 1 | 2 | 4 | 8;
  const kModifiers = new Set(['Shift', 'Control', 'Alt', 'AltGraph', 'Meta', 'CapsLock']);

  const log = document.getElementById('log');
  const form = document.getElementById('command-form');
  const input = document.getElementById('command');
  const status = document.getElementById('status');
  const newGame = document.getElementById('new-game');
  const encoder = new TextEncoder();

  let decoder = new TextDecoder();
  // Lines sent before the game asked for them, in order.
  let queued = [];
  let lineWanted = null;
  const history = [];
  let recalled = 0;

  function show(text) {
    log.append(text);
    window.scrollTo(0, document.documentElement.scrollHeight);
  }

  // The log is busy from a line sent until the game asks for the next one, so that a
  // screen reader can take each answer whole.
  function setBusy(busy) {
    log.setAttribute('aria-busy', String(busy));
  }

  function send(line) {
    setBusy(true);
    // Shown as a terminal echoes it, after the prompt.
    show(`${line}\n`);
    const bytes = encoder.encode(`${line}\n`);
    if (lineWanted) {
      lineWanted(bytes);
      lineWanted = null;
    } else {
      queued.push(bytes);
    }
  }

  function readLine() {
    if (queued.length > 0) {
      return Promise.resolve(queued.shift());
    }
    setBusy(false);
    return new Promise((resolve) => {
      lineWanted = resolve;
    });
  }

  function waitForKey() {
    setBusy(false);
    return new Promise((resolve) => {
      const take = (event) => {
        if (event.type === 'keydown' && (event.repeat || kModifiers.has(event.key))) {
          return;
        }
        // The key only continues: it is neither typed nor sent.
        event.preventDefault();
        event.stopPropagation();
        window.removeEventListener('keydown', take, true);
        window.removeEventListener('pointerdown', take, true);
        setBusy(true);
        resolve();
      };
      window.addEventListener('keydown', take, true);
      window.addEventListener('pointerdown', take, true);
    });
  }

  const host = {
    read: readLine,
    write: (stream, bytes) => show(decoder.decode(bytes, { stream: true })),
    setColours: () => document.body.classList.add('game-colours'),
    // The log keeps its colours, as a terminal keeps the text it has shown.
    resetColours: () => {},
    clearScreen: () => log.replaceChildren(),
    waitForKey,
  };

  form.addEventListener('submit', (event) => {
    event.preventDefault();
    const line = input.value;
    input.value = '';
    if (line !== '' && line !== history[history.length - 1]) {
      history.push(line);
    }
    recalled = history.length;
    send(line);
  });

  input.addEventListener('keydown', (event) => {
    const step = { ArrowUp: -1, ArrowDown: 1 }[event.key];
    if (!step || recalled + step < 0 || recalled + step > history.length) {
      return;
    }
    event.preventDefault();
    recalled += step;
    input.value = history[recalled] ?? '';
  });

  async function play(game) {
    status.textContent = '';
    newGame.hidden = true;
    input.disabled = false;
    input.focus();
    const exitStatus = await game.ccall('playGame', 'number', ['number'], [kWholeTerminal],
                                        { async: true });
    input.disabled = true;
    setBusy(false);
    status.textContent = exitStatus === 0 ? 'The game has ended.'
                                          : 'The game has stopped: it could not go on.';
    newGame.hidden = false;
    newGame.focus();
  }

  createVellumfall({ host }).then((game) => {
    newGame.addEventListener('click', () => {
      setBusy(true);
      log.replaceChildren();
      queued = [];
      decoder = new TextDecoder();
      play(game);
    });
    play(game);
  }, (error) => {
    status.textContent = `The game could not be loaded: ${error}`;
  });
})();
