// The page's game, without the page: the one owner of what is being played. It runs the
// game through an engine (engine.js), replays and saves it through a save slot (save.js),
// keeps the lines typed ahead, the key waits, the history and the tabs' turns, and tells
// a view what to show. It touches no DOM, so `node --test` runs it whole.
import { TurnRecorder } from './turns.js';

// What the game waits for, as the view shows it: 'loading' (no game yet), 'busy',
// 'line', 'key', 'ended', or 'aside' (another tab plays this game).
export const kStates = ['loading', 'busy', 'line', 'key', 'ended', 'aside'];

const kNotices = {
  refused: 'This browser did not save the game: a reload would lose the turns played since.',
  savedAgain: 'The game is saved again.',
  aside: 'This game went on in another tab.',
  dropped: 'The saved game could not be resumed, so a new game has begun.',
  ended: 'The game has ended.',
  stopped: 'The game has stopped: it could not go on.',
};

// Whether a keydown continues a key wait: a printable key, Enter or Space, pressed once
// (a held key continues one wait, not every wait it is still held through), without the
// modifiers of the browser's own shortcuts, and not meant for a focused control.
export function keyContinues({ key, repeat, ctrlKey, metaKey, altKey, onControl }) {
  if (repeat || ctrlKey || metaKey || altKey) {
    return false;
  }
  if (key === 'Enter' || key === ' ') {
    return !onControl;
  }
  return [...key].length === 1;
}

// The lines sent, for Up and Down; the same line twice in a row is kept once.
export class LineHistory {
  constructor() {
    this.lines = [];
    this.recalled = 0;
  }

  remember(line) {
    if (line !== '' && line !== this.lines[this.lines.length - 1]) {
      this.lines.push(line);
    }
    this.recalled = this.lines.length;
  }

  // The line `step` (-1 or 1) away from the one shown, or undefined past either end.
  recall(step) {
    const next = this.recalled + step;
    if (next < 0 || next > this.lines.length) {
      return undefined;
    }
    this.recalled = next;
    return this.lines[next] ?? '';
  }
}

export class Session {
  // `slot` keeps the save (SaveSlot); `view` is told what to show: state(name),
  // turn(record), restore(records), clear(), notice(text), colours(), and position(level,
  // x, y, kind) and mapCleared() for the map. `newSeed` gives a new game its seed.
  constructor({ slot, view, newSeed = () => Math.floor(Date.now() / 1000) % 0x80000000 }) {
    this.slot = slot;
    this.view = view;
    this.newSeed = newSeed;
    this.history = new LineHistory();
    // The game being played, as the save keeps it.
    this.game = null;
    // The engine's game under way: its recorder, the save it replays, whether it is being
    // ended early, and its end.
    this.run = null;
    this.queued = [];
    // What the game waits for: { kind: 'line' | 'key', resolve }.
    this.wanted = null;
    this.aside = false;
    this.saveRefused = false;
    this.saved = null;
    this.state = null;
    this.setState('loading');
  }

  // The saved game, shown at once, before the engine has loaded; the replay checks it.
  restore() {
    try {
      this.saved = this.slot.load();
    } catch (error) {
      if (error.name !== 'SaveDamaged') {
        throw error;
      }
      this.dropSave();
    }
    if (this.saved !== null) {
      this.view.restore(this.saved.records);
      this.saved.lines.forEach((line) => this.history.remember(line));
    }
  }

  // Plays with `engine` (engine.js), from the save when there is one, until the game ends.
  async start(engine) {
    this.engine = engine;
    const saved = this.saved;
    this.saved = null;
    await this.play(saved);
  }

  async play(saved) {
    for (;;) {
      const ending = await this.runGame(saved);
      if (ending !== 'damaged') {
        return;
      }
      this.dropSave();
      saved = null;
    }
  }

  dropSave() {
    this.slot.discard();
    this.view.clear();
    this.view.notice(kNotices.dropped);
  }

  setState(state) {
    const shown = this.aside ? 'aside' : state;
    if (shown !== this.state) {
      this.state = shown;
      this.view.state(shown);
    }
  }

  // Plays one game to its end, first replaying `saved` when there is one. Returns how it
  // ended: 'ended', 'abandoned' or 'damaged'.
  async runGame(saved) {
    const game = { seed: saved ? saved.seed : this.newSeed(), lines: [], keys: 0,
                   ended: false, records: [] };
    this.game = game;
    const run = { replay: saved ? { saved, next: 0, keys: saved.keys } : null,
                  ending: false, damaged: false };
    run.recorder = new TurnRecorder((record) => {
      game.records.push(record);
      if (run.replay === null && !run.ending) {
        this.view.turn(record);
      }
    });
    this.run = run;
    // A replayed save draws the map again as it goes.
    this.view.mapCleared();
    this.setState('busy');
    run.finished = this.engine(game.seed, {
      read: () => this.read(),
      write: (text) => run.recorder.write(text),
      clear: () => run.recorder.clear(),
      waitForKey: () => this.waitForKey(),
      colours: () => this.view.colours(),
      position: (...where) => this.view.position(...where),
    });
    const exitStatus = await run.finished;
    run.recorder.endTurn();
    if (run.ending) {
      return run.damaged ? 'damaged' : 'abandoned';
    }
    game.ended = true;
    if (run.replay !== null && !this.finishReplay()) {
      return 'damaged';
    }
    this.save();
    // Lines typed ahead of the end belong to no game.
    this.queued = [];
    this.setState('ended');
    this.view.notice(exitStatus === 0 ? kNotices.ended : kNotices.stopped);
    return 'ended';
  }

  // Saves the game as it stands, unless it is being replayed or ended, or another tab has
  // written the save since this one: then this tab steps aside rather than overwrite it.
  save() {
    const { run } = this;
    if (this.aside || run.replay !== null || run.ending) {
      return;
    }
    if (this.slot.takenElsewhere()) {
      this.stepAside();
      return;
    }
    const written = this.slot.write(this.game);
    if (written === this.saveRefused) {
      this.saveRefused = !written;
      this.view.notice(written ? kNotices.savedAgain : kNotices.refused);
    }
  }

  takeLine(line) {
    this.run.recorder.sent(line);
    this.game.lines.push(line);
    this.game.keys = 0;
    return line;
  }

  // The replay is over at the first wait after its last line and key. It stands when the
  // game said, again, exactly what the log shows, and ended where the save did.
  finishReplay() {
    const { run, game } = this;
    const { saved, next, keys } = run.replay;
    run.replay = null;
    const same = next === saved.lines.length && keys === 0 && game.ended === saved.ended &&
        JSON.stringify(game.records) === JSON.stringify(saved.records);
    if (!same) {
      run.ending = true;
      run.damaged = true;
    }
    return same;
  }

  // The game's next line: a saved one while replaying, else one typed ahead, else the
  // next the player sends. null ends the game's input.
  read() {
    const { run } = this;
    run.recorder.endTurn();
    if (run.replay !== null && !run.ending) {
      const { replay } = run;
      if (replay.next < replay.saved.lines.length) {
        return Promise.resolve(this.takeLine(replay.saved.lines[replay.next++]));
      }
      if (replay.keys > 0) {
        // The save stopped at a key wait, and the game asks for a line.
        run.ending = true;
        run.damaged = true;
      } else {
        this.finishReplay();
      }
    }
    if (run.ending) {
      return Promise.resolve(null);
    }
    this.save();
    if (this.queued.length > 0 && !this.aside) {
      return Promise.resolve(this.takeLine(this.queued.shift()));
    }
    return this.waitFor('line');
  }

  // Key waits continue by themselves while a save is replayed, up to where the player was.
  waitForKey() {
    const { run, game } = this;
    run.recorder.endTurn();
    if (run.replay !== null && !run.ending) {
      const { replay } = run;
      if (replay.next < replay.saved.lines.length) {
        return Promise.resolve();
      }
      if (replay.keys > 0) {
        replay.keys -= 1;
        game.keys += 1;
        return Promise.resolve();
      }
      this.finishReplay();
    }
    if (run.ending) {
      return Promise.resolve();
    }
    this.save();
    return this.waitFor('key');
  }

  waitFor(kind) {
    this.setState(kind);
    return new Promise((resolve) => {
      this.wanted = { kind, resolve };
    });
  }

  // Hands the game what it waits for; a tab that stepped aside hands nothing.
  answer(kind, value) {
    if (this.aside || this.wanted === null || this.wanted.kind !== kind) {
      return false;
    }
    const { resolve } = this.wanted;
    this.wanted = null;
    this.setState('busy');
    resolve(value);
    return true;
  }

  // A line from the player: the game takes it now, or in its turn. Returns whether it
  // was taken (not in a tab that stepped aside, nor once the game has ended).
  send(line) {
    if (this.aside || this.state === 'ended' || this.state === 'loading') {
      return false;
    }
    this.history.remember(line);
    if (this.wanted?.kind === 'line') {
      return this.answer('line', this.takeLine(line));
    }
    this.queued.push(line);
    return true;
  }

  // A key, a tap or Continue at a key wait. Returns whether a key wait took it.
  continueGame() {
    if (this.aside || this.wanted?.kind !== 'key') {
      return false;
    }
    this.game.keys += 1;
    return this.answer('key');
  }

  get keyWaitOpen() {
    return !this.aside && this.wanted?.kind === 'key';
  }

  // What New game asks before it starts, or null when nothing would be lost.
  newGameQuestion() {
    if (this.aside) {
      return 'Start a new game here? The game that went on in another tab will be lost.';
    }
    const game = this.game ?? this.saved;
    if (game !== null && !game.ended && game.lines.length > 0) {
      return 'Start a new game? The game under way will be lost.';
    }
    return null;
  }

  // Ends the game under way, discards the save and plays a new game.
  async newGame() {
    await this.abandon();
    this.slot.discard();
    this.saved = null;
    this.aside = false;
    this.view.clear();
    this.view.notice('');
    await this.play(null);
  }

  // Ends the game under way early: its input ends, its key wait continues, and whatever
  // it says in the meantime is neither shown nor saved.
  async abandon() {
    const { run } = this;
    this.queued = [];
    if (run === null || this.game.ended) {
      return;
    }
    run.ending = true;
    if (this.wanted !== null) {
      const { kind, resolve } = this.wanted;
      this.wanted = null;
      resolve(kind === 'line' ? null : undefined);
    }
    await run.finished;
  }

  // The storage changed in another tab: when that tab wrote or discarded this game's
  // save, this one steps aside.
  storageChanged(key) {
    if (!this.aside && this.slot.isHeader(key) && this.slot.takenElsewhere()) {
      this.stepAside();
    }
  }

  // Another tab has played on in the shared save: this one stops for good, so that the two
  // do not overwrite each other, until the player takes the game back (Play here, which
  // loads the page again). Its lines typed ahead are dropped, not played unsaved.
  stepAside() {
    this.aside = true;
    this.queued = [];
    this.setState('aside');
    this.view.notice(kNotices.aside);
  }
}
