#!/usr/bin/env node
'use strict';
// Vellumfall in a terminal, or on whatever is piped in, with the game built to WebAssembly.
// This script is the game's host under Node, as page.js is on the page: it reads standard
// input, writes standard output and turns the console's effects into escape sequences,
// keeping the promises of the native game: its exit statuses, its signals, its line
// editing and its word wrap (done inside the module, at the width given here).
const fs = require('fs');
const path = require('path');
const tty = require('tty');
const util = require('util');
const { Keyboard } = require('../lib/terminal.js');
const createVellumfall = require('../lib/vellumfall.js');

const kGameColours = '\x1b[92;40m';
const kResetColours = '\x1b[0m';
const kClearScreen = '\x1b[H\x1b[2J';
const kPressAnyKey = 'Press any key to continue . . . ';
const kReadSize = 65536;
const kDeadlySignals = ['SIGINT', 'SIGTERM', 'SIGHUP', 'SIGQUIT'];
const kStopSignals = ['SIGTSTP', 'SIGTTIN', 'SIGTTOU'];

const pause = new Int32Array(new SharedArrayBuffer(4));
const readFrom = util.promisify(fs.read);
let coloured = false;
let keyboard = null;
// What the game asked to be said on standard error should a signal end it.
let farewell = null;

// Written at once, so that text, effects and failures keep their order. A descriptor
// that someone left non-blocking is waited on, not failed.
function writeAll(fd, data) {
  let rest = typeof data === 'string' ? Buffer.from(data) : data;
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

function restoreTerminal() {
  keyboard?.suspend();
  if (coloured) {
    writeAll(1, kResetColours);
  }
}

// Dies of the signal as if no one had caught it, with the terminal put back first.
function dieOf(signal) {
  restoreTerminal();
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

// Stops as if no one had caught the signal, with the terminal put back for the shell, and
// takes it again when continued. The kernel does not stop a game that is the terminal's
// own program (no shell would continue it): then it goes on as if nothing had happened.
function stopFor(signal) {
  restoreTerminal();
  process.removeAllListeners(signal);
  process.kill(process.pid, signal);
  process.on(signal, () => stopFor(signal));
  if (coloured) {
    writeAll(1, kGameColours);
  }
  keyboard?.resume();
}

function signalKey(signal) {
  if (kStopSignals.includes(signal)) {
    stopFor(signal);
  } else {
    dieOf(signal);
  }
}

// Standard input is read as it is, with read(2): Node's own stream would take a directory,
// say, for an empty input instead of failing. One buffer serves every read, since the game
// copies each piece before it asks for the next: memory stays flat however long the input.
const pipedPiece = Buffer.allocUnsafe(kReadSize);
async function readPiped() {
  const buffer = pipedPiece;
  for (;;) {
    try {
      const { bytesRead } = await readFrom(0, buffer, 0, kReadSize, null);
      return bytesRead === 0 ? null : buffer.subarray(0, bytesRead);
    } catch (error) {
      if (error.code !== 'EAGAIN') {
        throw error;
      }
      await new Promise((resolve) => setTimeout(resolve, 10));
    }
  }
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

// Read from only once the game reads: `--version &` must not touch the terminal.
function terminalKeyboard() {
  keyboard ??= new Keyboard(process.stdin, signalKey);
  return keyboard;
}

// The module asks for the raw facts (is this a terminal, what does the environment say)
// and decides what follows from them, as every front end of the game does.
function makeHost(inputIsTerminal) {
  return {
    read: (prompt, edited) => (!inputIsTerminal ? readPiped()
      : edited ? terminalKeyboard().readLine(prompt, process.stdout)
        : terminalKeyboard().readAvailable()),
    isTerminal: (fd) => tty.isatty(fd),
    environment: (name) => process.env[name],
    platform: process.platform,
    sayOnInterrupt: (bytes) => { farewell = bytes.length > 0 ? Buffer.from(bytes) : null; },
    readFile,
    replaceFile,
    removeFile,
    write: (stream, bytes) => writeAll(stream, bytes),
    // Node asks the terminal again when it is resized (and then emits 'resize').
    columns: () => process.stdout.columns ?? 0,
    setColours() {
      writeAll(1, kGameColours);
      coloured = true;
    },
    resetColours() {
      coloured = false;
      writeAll(1, kResetColours);
    },
    clearScreen: () => writeAll(1, kClearScreen),
    waitForKey: () => terminalKeyboard().readKey(() => writeAll(1, `\r${kPressAnyKey}`)),
  };
}

async function main() {
  // Handed over, since the loader's own fetch cannot open a file path under Node.
  const wasmBinary = fs.readFileSync(path.join(__dirname, '..', 'lib', 'vellumfall.wasm'));
  const inputIsTerminal = tty.isatty(0);
  const game = await createVellumfall({ host: makeHost(inputIsTerminal), wasmBinary });
  for (const signal of kDeadlySignals) {
    process.on(signal, () => dieOf(signal));
  }
  for (const signal of kStopSignals) {
    process.on(signal, () => stopFor(signal));
  }
  // Whatever the game waits on is drawn again over what the shell wrote meanwhile.
  process.on('SIGCONT', () => keyboard?.shown?.());
  const listed = process.argv.slice(2);
  const played = await game.ccall('run', 'number', ['number', 'array'],
                                  [listed.length, Buffer.from(listed.map((a) => `${a}\0`).join(''))],
                                  { async: true });
  restoreTerminal();
  // Standard input may still be waited on; the game is over all the same.
  process.exit(played);
}

main().catch((error) => {
  restoreTerminal();
  process.stderr.write(`vellumfall: ${error.message}\n`);
  process.exit(1);
});
