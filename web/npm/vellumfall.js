#!/usr/bin/env node
'use strict';
// Vellumfall in a terminal, or on whatever is piped in, with the game built to WebAssembly.
// This script is the game's host under Node, as the page is in a browser, and does only what
// Node alone can do: read standard input (in raw mode when the game asks), write standard
// output, catch and send signals, exit, and tell the game the raw facts of its terminal. The
// rules are the game's, in C++ as natively: the terminal's policy, the escape sequences,
// whole keys, the line editor, which keys are signals and what giving the terminal back
// writes.
const fs = require('fs');
const path = require('path');
const tty = require('tty');
const v8 = require('v8');
const { TerminalInput, readPiped } = require('../lib/keyboard.js');
const createVellumfall = require('../lib/vellumfall.js');

// V8 compiles the module's hot code again, optimised, once it has run enough, which costs
// some 15 MB for the rest of the run. Asked to do so early, it pays that at the start, so
// that memory stays flat however long the game or its input; the game's pace is the same.
v8.setFlagsFromString('--wasm-tiering-budget=100000');

const pause = new Int32Array(new SharedArrayBuffer(4));
let terminalInput = null;
// What the game asked to be written when the terminal is given back, and when it is taken
// again after a stop.
let giveBackBytes = Buffer.alloc(0);
let takeAgainBytes = Buffer.alloc(0);
let continues = 0;
// Called when the game may go on after a signal it sent.
let goOn = null;
// What the game asked to be said on standard error should a signal end it.
let farewell = null;

// Written at once, so that text, effects and failures keep their order. A descriptor
// that someone left non-blocking is waited on, not failed.
function writeAll(fd, data) {
  let rest = data;
  while (rest.length > 0) {
    try {
      rest = rest.subarray(fs.writeSync(fd, rest));
    } catch (error) {
      if (error.code !== 'EAGAIN') {
        throw error;
      }
      Atomics.wait(pause, 0, 0, 1);
    }
  }
}

// Read from only once the game reads: `--version &` must not touch the terminal.
function terminal() {
  terminalInput ??= new TerminalInput(process.stdin);
  return terminalInput;
}

function giveBack() {
  terminalInput?.suspend();
  writeAll(1, giveBackBytes);
}

function takeAgain() {
  writeAll(1, takeAgainBytes);
  terminalInput?.resume();
}

// Dies of the signal as if no one had caught it, with the terminal given back first.
function dieOf(signal) {
  giveBack();
  if (farewell) {
    try {
      fs.writeSync(2, farewell);
    } catch {
      // Standard error gone with the terminal: nothing more to say.
    }
  }
  process.removeAllListeners(signal);
  process.kill(process.pid, signal);
}

// Stops as if no one had caught the signal, with the terminal given back for the shell, and
// takes it again when continued. The kernel does not stop a game that is the terminal's
// own program (no shell would continue it): then it goes on as if nothing had happened.
function stopFor(signal) {
  giveBack();
  process.removeAllListeners(signal);
  process.kill(process.pid, signal);
  process.on(signal, () => stopFor(signal));
  takeAgain();
  const resume = goOn;
  goOn = null;
  resume?.();
}

// The saves' files. A file is read whole, up to `limit` bytes and one more; nothing that is
// not a file is read at all (a pipe would never end).
function readFile(file, limit) {
  let fd;
  try {
    fd = fs.openSync(file, fs.constants.O_RDONLY | (fs.constants.O_NONBLOCK ?? 0));
  } catch (error) {
    if (error.code === 'ENOENT') {
      return null;
    }
    throw error;
  }
  try {
    if (!fs.fstatSync(fd).isFile()) {
      throw Object.assign(new Error('not a file'), { code: 'EINVAL' });
    }
    const bytes = Buffer.alloc(limit + 1);
    let size = 0;
    for (let got = 1; got > 0 && size < bytes.length; size += got) {
      got = fs.readSync(fd, bytes, size, bytes.length - size, null);
    }
    return bytes.subarray(0, size);
  } finally {
    fs.closeSync(fd);
  }
}

// Written beside the file, flushed to the disk and renamed over it: a kill or a power cut
// at any moment leaves the old file or the new one, whole.
function replaceFile(file, bytes) {
  const folder = path.dirname(file);
  fs.mkdirSync(folder, { recursive: true, mode: 0o700 });
  const temporary = `${file}.${process.pid}.tmp`;
  try {
    const fd = fs.openSync(temporary, 'w', 0o600);
    try {
      writeAll(fd, bytes);
      fs.fsyncSync(fd);
    } finally {
      fs.closeSync(fd);
    }
    fs.renameSync(temporary, file);
  } catch (error) {
    fs.rmSync(temporary, { force: true });
    throw error;
  }
  if (process.platform !== 'win32') {
    const directory = fs.openSync(folder, 'r');
    try {
      fs.fsyncSync(directory);
    } finally {
      fs.closeSync(directory);
    }
  }
}

function removeFile(file) {
  fs.rmSync(file, { force: true });
}

// The module asks for the raw facts and the few things only Node can do; everything it
// makes of them is the game's own.
const host = {
  isTerminal: (fd) => tty.isatty(fd),
  environment: (name) => process.env[name],
  platform: process.platform,
  sayOnInterrupt: (bytes) => { farewell = bytes.length > 0 ? Buffer.from(bytes) : null; },
  readFile,
  replaceFile,
  removeFile,
  // Asked of the terminal each time, as natively: Node's own count follows a resize only
  // once the signal has reached its event loop, which may be after keys typed at the new
  // width.
  columns() {
    if (!process.stdout.isTTY) {
      return 0;
    }
    process.stdout._refreshSize?.();
    return process.stdout.columns;
  },
  write: (stream, bytes) => writeAll(stream, bytes),
  readBytes: (waitMs) => (tty.isatty(0) ? terminal().read(waitMs) : readPiped()),
  setRawMode: (on) => terminal().setRawMode(on),
  keepTerminal(giveBackWith, takeAgainWith) {
    giveBackBytes = Buffer.from(giveBackWith);
    takeAgainBytes = Buffer.from(takeAgainWith);
  },
  watchSignals(deadly, stops) {
    for (const signal of deadly) {
      process.on(signal, () => dieOf(signal));
    }
    for (const signal of stops) {
      process.on(signal, () => stopFor(signal));
    }
    // Whatever the game waits on is drawn again over what the shell wrote meanwhile.
    process.on('SIGCONT', () => {
      continues += 1;
      terminalInput?.interrupt();
    });
  },
  continues: () => continues,
  // To the whole foreground job, as a terminal sends it: the game's process group, which has
  // the terminal while the game reads it. Windows has no process groups.
  signal: (name) => new Promise((resolve) => {
    goOn = resolve;
    process.kill(process.platform === 'win32' ? process.pid : 0, name);
  }),
};

async function main() {
  // Handed over, since the loader's own fetch cannot open a file path under Node.
  const wasmBinary = fs.readFileSync(path.join(__dirname, '..', 'lib', 'vellumfall.wasm'));
  const game = await createVellumfall({ host, wasmBinary });
  const listed = process.argv.slice(2);
  const played = await game.ccall('run', 'number', ['number', 'array'],
                                  [listed.length, Buffer.from(listed.map((a) => `${a}\0`).join(''))],
                                  { async: true });
  // Standard input may still be waited on; the game is over all the same.
  process.exit(played);
}

main().catch((error) => {
  giveBack();
  process.stderr.write(`vellumfall: ${error.message}\n`);
  process.exit(1);
});
