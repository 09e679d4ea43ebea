'use strict';
// Standard input under Node, as the game reads it: from a terminal, in raw mode while the
// game asks for it, the bytes as they come; from anything else, with read(2). The game makes
// keys, lines and signals of the bytes itself.
const fs = require('fs');
const util = require('util');

const kReadSize = 65536;
const readFrom = util.promisify(fs.read);

// A terminal's bytes, read all the time and kept until the game asks, so that nothing typed
// ahead is lost and a long paste comes in a few large pieces.
class TerminalInput {
  constructor(stream) {
    this.stream = stream;
    this.pieces = [];
    this.ended = false;
    this.failure = null;
    this.wake = null;
    this.raw = false;
    stream.on('data', (piece) => this.arrived(() => this.pieces.push(piece)));
    stream.on('end', () => this.arrived(() => { this.ended = true; }));
    stream.on('error', (error) => this.arrived(() => { this.failure = error; }));
  }

  arrived(change) {
    change();
    this.interrupt();
  }

  // Ends the present wait early, with nothing: the game may have something to draw.
  interrupt() {
    this.wake?.();
  }

  setRawMode(on) {
    this.raw = on;
    this.stream.setRawMode(on);
  }

  // The terminal's line mode for the shell while the game is stopped or gone, and back.
  suspend() {
    if (this.raw) {
      this.stream.setRawMode(false);
    }
  }

  resume() {
    if (this.raw) {
      this.stream.setRawMode(true);
    }
  }

  // What has come, at least one byte; an empty buffer when `waitMs` passed first, or the
  // wait was interrupted; null at the end of input. A wait of 0 lets Node's loop go round
  // once first, so that a signal that came meanwhile (a continue) is counted before.
  async read(waitMs) {
    if (waitMs === 0) {
      for (const turn of [1, 2]) {
        await new Promise((resolve) => setImmediate(resolve, turn));
      }
    } else if (this.pieces.length === 0 && !this.ended && !this.failure) {
      let timer;
      await new Promise((resolve) => {
        this.wake = resolve;
        if (waitMs !== undefined) {
          timer = setTimeout(resolve, waitMs);
        }
      });
      this.wake = null;
      clearTimeout(timer);
    }
    if (this.pieces.length > 0) {
      const bytes = Buffer.concat(this.pieces);
      this.pieces = [];
      return bytes;
    }
    if (this.failure) {
      throw this.failure;
    }
    return this.ended ? null : Buffer.alloc(0);
  }
}

// Anything else is read as it is, with read(2): Node's own stream would take a directory,
// say, for an empty input instead of failing. One buffer serves every read, since the game
// copies each piece before it asks for the next: memory stays flat however long the input.
const pipedPiece = Buffer.allocUnsafe(kReadSize);
async function readPiped() {
  for (;;) {
    try {
      const { bytesRead } = await readFrom(0, pipedPiece, 0, kReadSize, null);
      return bytesRead === 0 ? null : pipedPiece.subarray(0, bytesRead);
    } catch (error) {
      if (error.code !== 'EAGAIN') {
        throw error;
      }
      await new Promise((resolve) => setTimeout(resolve, 10));
    }
  }
}

module.exports = { TerminalInput, readPiped };
