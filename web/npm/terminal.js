'use strict';
// The keyboard of a terminal, as the game under Node reads it: lines edited with
// node:readline (history of this process only), single keys for "Press any key", and the
// keys that are signals on a terminal (Ctrl-C, Ctrl-Z, Ctrl-\) kept as signals even while
// the terminal is in raw mode. Everything is read from one stream, in order, so that a
// key typed ahead goes to whichever read comes next, as on a real terminal.
const { EventEmitter } = require('events');
const readline = require('readline');

const kEscape = 0x1b;
const kSignalKeys = new Map([[0x03, 'SIGINT'], [0x1a, 'SIGTSTP'], [0x1c, 'SIGQUIT']]);
// The bytes of one key arrive together; a lone Escape is followed by nothing this soon.
const kRestOfKeyMs = 50;
// No key sends a longer sequence; a stream of bytes is not one key.
const kLongestSequence = 16;
const kHistorySize = 500;

class Keyboard {
  // `signal(name)` is called for a signal key; it returns when the game goes on.
  constructor(stream, signal) {
    this.stream = stream;
    this.signal = signal;
    this.pending = [];
    this.ended = false;
    this.failure = null;
    this.wake = null;
    this.raw = false;
    this.history = [];
    // What the player sees the game wait on, to draw again after a stop.
    this.shown = null;
    stream.on('data', (chunk) => this.arrived(() => this.pending.push(...chunk)));
    stream.on('end', () => this.arrived(() => { this.ended = true; }));
    stream.on('error', (error) => this.arrived(() => { this.failure = error; }));
  }

  arrived(change) {
    change();
    if (this.wake) {
      this.wake();
    }
  }

  setRaw(on) {
    this.raw = on;
    this.stream.setRawMode(on);
  }

  // The terminal's line mode for the shell while the game is stopped, and back.
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

  // The next byte; null at the end of input; undefined when `waitMs` passed without one.
  async nextByte(waitMs) {
    if (this.pending.length === 0 && !this.ended && !this.failure) {
      let timer;
      await new Promise((resolve) => {
        this.wake = resolve;
        if (waitMs !== undefined) {
          timer = setTimeout(resolve, waitMs);
        }
      });
      this.wake = null;
      clearTimeout(timer);
      if (this.pending.length === 0 && !this.ended && !this.failure) {
        return undefined;
      }
    }
    if (this.pending.length > 0) {
      return this.pending.shift();
    }
    if (this.failure) {
      throw this.failure;
    }
    return null;
  }

  // Whatever the terminal has given, at least one byte; null at the end of input. In line
  // mode the terminal gives whole lines.
  async readAvailable() {
    const first = await this.nextByte();
    if (first === null) {
      return null;
    }
    const bytes = Buffer.from([first, ...this.pending]);
    this.pending = [];
    return bytes;
  }

  // The next byte that is not a signal key.
  async nextKeyByte(waitMs) {
    for (;;) {
      const byte = await this.nextByte(waitMs);
      const signal = kSignalKeys.get(byte);
      if (!signal) {
        return byte;
      }
      this.signal(signal);
    }
  }

  // One line, edited with the prompt in front of it; null at the end of input.
  async readLine(prompt, output) {
    const keys = new EventEmitter();
    keys.pause = () => keys;
    keys.resume = () => keys;
    const editor = readline.createInterface({
      input: keys, output, prompt, terminal: true, history: this.history,
      historySize: kHistorySize,
    });
    editor.on('history', (history) => { this.history = history; });
    let line;
    editor.once('line', (text) => { line = `${text}\n`; });
    editor.once('close', () => { line ??= null; });
    this.setRaw(true);
    this.shown = () => editor.prompt(true);
    try {
      editor.prompt();
      while (line === undefined) {
        const byte = await this.nextKeyByte();
        if (byte === null) {
          editor.close();
        } else {
          keys.emit('data', Buffer.from([byte]));
        }
      }
    } finally {
      this.shown = null;
      this.setRaw(false);
      editor.close();
    }
    return line === null ? null : Buffer.from(line);
  }

  // One key, all of it: the whole escape sequence of an arrow or a function key, all the
  // bytes of a letter beyond ASCII. `shown` draws the wait again after a stop.
  async readKey(shown) {
    this.setRaw(true);
    this.shown = shown;
    try {
      const first = await this.nextKeyByte();
      if (first === kEscape) {
        await this.readRestOfEscape();
      } else if (first !== null) {
        for (let left = continuationBytesAfter(first); left > 0; --left) {
          if (await this.followingByte() === undefined) {
            return;
          }
        }
      }
    } finally {
      this.shown = null;
      this.setRaw(false);
    }
  }

  async followingByte() {
    const byte = await this.nextKeyByte(kRestOfKeyMs);
    return byte === null ? undefined : byte;
  }

  // After Escape: "[" starts a control sequence that runs to its final byte ("ESC [ [ A"
  // on the Linux console has a bracket more), "O" takes one byte more, and anything else
  // is Alt held with that key.
  async readRestOfEscape() {
    let byte = await this.followingByte();
    if (byte === 0x4f) {
      await this.followingByte();
      return;
    }
    if (byte !== 0x5b || (byte = await this.followingByte()) === undefined) {
      return;
    }
    if (byte === 0x5b) {
      await this.followingByte();
      return;
    }
    for (let length = 0; length < kLongestSequence && !(byte >= 0x40 && byte <= 0x7e);
      ++length) {
      if ((byte = await this.followingByte()) === undefined) {
        return;
      }
    }
  }
}

function continuationBytesAfter(lead) {
  if (lead >= 0xf0) {
    return 3;
  }
  if (lead >= 0xe0) {
    return 2;
  }
  return lead >= 0xc0 ? 1 : 0;
}

module.exports = { Keyboard };
