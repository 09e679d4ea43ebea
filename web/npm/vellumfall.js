#!/usr/bin/env node
'use strict';
// Vellumfall in a terminal, or on whatever is piped in, with the game built to WebAssembly.
// This script is the game's host under Node, as page.js is on the page: it reads standard
// input, writes standard output and turns the console's effects into escape sequences.
const fs = require('fs');
const path = require('path');
const tty = require('tty');
const util = require('util');
const createVellumfall = require('../lib/vellumfall.js');

// The bits of playGame's argument, as in src/platform/web/main.cpp.
const kInputIsTerminal = 1;
const kOutputIsTerminal = 2;
const kEscapes = 4;
const kColours = 8;

const kGameColours = '\x1b[92;40m';
const kResetColours = '\x1b[0m';
const kClearScreen = '\x1b[H\x1b[2J';
const kCtrlC = 0x03;
const kReadSize = 65536;

const pause = new Int32Array(new SharedArrayBuffer(4));
const readFrom = util.promisify(fs.read);
let coloured = false;
let keyMode = false;

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

// The same rules as the POSIX game: no escapes on a dumb terminal, no colours with NO_COLOR.
function describeTerminal() {
  const input = tty.isatty(0);
  const output = tty.isatty(1);
  const term = process.env.TERM;
  const escapes = output && Boolean(term) && term !== 'dumb';
  const colours = escapes && !process.env.NO_COLOR;
  return (input ? kInputIsTerminal : 0) | (output ? kOutputIsTerminal : 0) |
      (escapes ? kEscapes : 0) | (colours ? kColours : 0);
}

function setKeyMode(on) {
  keyMode = on;
  process.stdin.setRawMode(on);
}

function restoreTerminal() {
  if (keyMode) {
    setKeyMode(false);
  }
  if (coloured) {
    coloured = false;
    writeAll(1, kResetColours);
  }
}

// Dies of the signal as if no one had caught it, with the terminal put back first.
function dieOf(signal) {
  restoreTerminal();
  process.removeAllListeners(signal);
  process.kill(process.pid, signal);
}

// Standard input is read as it is, with read(2): Node's own stream would take a directory,
// say, for an empty input instead of failing.
async function read() {
  const buffer = Buffer.allocUnsafe(kReadSize);
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

const host = {
  read,
  write: (stream, bytes) => writeAll(stream, bytes),
  setColours() {
    writeAll(1, kGameColours);
    coloured = true;
  },
  resetColours() {
    coloured = false;
    writeAll(1, kResetColours);
  },
  clearScreen: () => writeAll(1, kClearScreen),
  // One key without echo. Raw mode also takes Ctrl-C as a key, so it is given its
  // meaning back here.
  async waitForKey() {
    setKeyMode(true);
    try {
      const key = await read();
      if (key !== null && key[0] === kCtrlC) {
        dieOf('SIGINT');
      }
    } finally {
      setKeyMode(false);
    }
  },
};

async function main() {
  for (const signal of ['SIGINT', 'SIGTERM']) {
    process.once(signal, () => dieOf(signal));
  }
  // Handed over, since the loader's own fetch cannot open a file path under Node.
  const wasmBinary = fs.readFileSync(path.join(__dirname, '..', 'lib', 'vellumfall.wasm'));
  const game = await createVellumfall({ host, wasmBinary });
  const listed = process.argv.slice(2).map((argument) => `${argument}\0`).join('');
  const status = game.ccall('runCommandLine', 'number', ['array'], [Buffer.from(`${listed}\0`)]);
  if (status >= 0) {
    process.exit(status);
  }
  const played = await game.ccall('playGame', 'number', ['number'], [describeTerminal()],
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
