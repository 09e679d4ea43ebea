// The page's game, without the page: the one owner of what is being played. It runs the
// game through an engine (engine.js), which records the game and resumes it from that
// record, keeps the record and the log in a save slot (save.js), keeps the lines typed
// ahead, the key waits, the history and the tabs' turns, takes back lines and imports
// saves, and tells a view what to show. It touches no DOM, so `node --test` runs it whole.
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

// How many lines the player entered in the game's record (docs/save-format.md): its
// `line` and `text` entries.
const linesIn = (record) => (record ?? '').match(/^(?:line|text)(?: |\r?$)/gm)?.length ?? 0;

// The largest save file the page imports: the module parses a save in memory of its own,
// of a fixed size, and a few hundred thousand entries would exhaust it. No game comes near.
export const kLargestImport = 256 * 1024;

const newGame = () => ({ record: null, lines: [], ended: false, records: [], lineCount: 0 });

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
  // `slot` keeps the save (SaveSlot); `view` is told what to show: state(name), turn(record),
  // restore(records), takeBack(count), clear(), notice(text), colours(), and position(level,
  // x, y, kind) and mapCleared() for the map.
  constructor({ slot, view }) {
    this.slot = slot;
    this.view = view;
    this.history = new LineHistory();
    // The game being played: its record (the module's save, null before it has one), the
    // lines sent in it and the log's records, as the slot keeps them; whether it has ended;
    // and how many lines its record holds.
    this.game = null;
    // The engine's game under way: its recorder, how its first turn is shown, whether it
    // has waited for the player yet, whether it is being ended early, and its end.
    this.run = null;
    this.queued = [];
    // What the game waits for: { kind: 'line' | 'key', resolve }.
    this.wanted = null;
    this.aside = false;
    this.saveRefused = false;
    this.saved = null;
    this.state = null;
    // Settled once the game has loaded and waits: a save dropped on the page before then is
    // taken then.
    this.loaded = new Promise((resolve) => {
      this.gameLoaded = resolve;
    });
    this.setState('loading');
  }

  // The saved game's log, shown at once, before the engine has loaded.
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
    const { saved } = this;
    this.saved = null;
    if (saved === null) {
      await this.play({}, newGame(), 'shown');
      return;
    }
    const game = { ...saved, lineCount: linesIn(saved.record) };
    if (saved.ended) {
      this.game = game;
      this.setState('ended');
      this.view.notice(kNotices.ended);
      return;
    }
    // The game's screen as it resumes is the log's last, shown already.
    await this.play(game.record === null ? {} : { resume: true }, game,
                    game.records.length > 0 ? 'hidden' : 'shown');
  }

  // Plays `game` as `how` says (engine.js); a save that cannot be resumed is dropped for a
  // new game.
  async play(how, game, firstTurn) {
    if (await this.runGame(how, game, firstTurn) === 'refused') {
      this.dropSave();
      await this.runGame({}, newGame(), 'shown');
    }
  }

  dropSave() {
    this.slot.discard();
    this.view.clear();
    this.view.notice(kNotices.dropped);
  }

  setState(state) {
    if (state !== 'loading' && state !== 'busy') {
      this.gameLoaded();
    }
    const shown = this.aside ? 'aside' : state;
    if (shown !== this.state) {
      this.state = shown;
      this.view.state(shown);
    }
  }

  // Plays `game` to its end. Its first turn (up to its first wait) is 'shown', 'hidden' (the
  // log shows it already), 'fresh' (an imported game: the log starts again with it) or
  // { takeBack: count } (an undo: the log goes back to its first `count` records). Returns
  // how it ended: 'ended', 'abandoned', or 'refused' when it stopped before its first wait,
  // its save refused.
  async runGame(how, game, firstTurn, file = null) {
    this.game = game;
    const run = { firstTurn, waited: false, ending: false, errors: '' };
    run.recorder = new TurnRecorder((record) => this.turn(record));
    this.run = run;
    // A resumed game draws the map again as it replays.
    this.view.mapCleared();
    this.setState('busy');
    run.finished = this.engine.play(how, {
      read: () => this.read(),
      write: (text) => run.recorder.write(text),
      error: (text) => this.errorWritten(text),
      clear: () => run.recorder.clear(),
      waitForKey: () => this.waitForKey(),
      colours: () => this.view.colours(),
      position: (...where) => this.view.position(...where),
      readFile: () => file ?? game.record,
      // The game saves its record just before it waits, where the page saves it all.
      replaceFile: (name, text) => {
        if (!run.ending) {
          game.record = text;
        }
      },
      removeFile: () => {
        if (!run.ending) {
          game.record = null;
        }
      },
    });
    const exitStatus = await run.finished;
    if (run.ending) {
      return 'abandoned';
    }
    if (!run.waited && exitStatus !== 0) {
      return 'refused';
    }
    run.recorder.endTurn();
    game.ended = true;
    this.save();
    // Lines typed ahead of the end belong to no game.
    this.queued = [];
    this.setState('ended');
    this.view.notice(exitStatus === 0 ? kNotices.ended : kNotices.stopped);
    return 'ended';
  }

  // A turn of the game for the log, but for a resumed game's first as its `firstTurn` says.
  turn(record) {
    const { run, game } = this;
    if (run.ending) {
      return;
    }
    const how = run.waited ? 'shown' : run.firstTurn;
    if (how === 'hidden') {
      return;
    }
    if (how.takeBack !== undefined) {
      game.records.length = how.takeBack;
      this.view.takeBack(how.takeBack);
      run.firstTurn = 'hidden';
      return;
    }
    if (how === 'fresh') {
      // The imported game replayed: it is this tab's game now, in place of any other.
      this.aside = false;
      this.slot.takeOver();
      this.view.clear();
      this.view.notice('');
      run.firstTurn = 'shown';
      // The log starts with it rather than with a new screen.
      delete record.newScreen;
    }
    game.records.push(record);
    this.view.turn(record);
  }

  // What the game says on standard error goes to the status line, a line at a time.
  errorWritten(text) {
    const { run } = this;
    run.errors += text;
    const lines = run.errors.split('\n');
    run.errors = lines.pop();
    if (lines.length > 0 && !run.ending) {
      this.view.notice(lines.pop().replace(/^vellumfall: /, ''));
    }
  }

  // Saves the game as it stands, unless it is being ended, or another tab has written the
  // save since this one: then this tab steps aside rather than overwrite it.
  save() {
    if (this.aside || this.run.ending) {
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
    this.game.lineCount += 1;
    return line;
  }

  // The game waits: its turn is over, and a resumed game's replay too.
  waited() {
    this.run.recorder.endTurn();
    this.run.waited = true;
  }

  // The game's next line: one typed ahead, else the next the player sends. null ends the
  // game's input.
  read() {
    this.waited();
    if (this.run.ending) {
      return Promise.resolve(null);
    }
    this.save();
    if (this.queued.length > 0 && !this.aside) {
      return Promise.resolve(this.takeLine(this.queued.shift()));
    }
    return this.waitFor('line');
  }

  waitForKey() {
    this.waited();
    if (this.run.ending) {
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
    return this.answer('key');
  }

  get keyWaitOpen() {
    return !this.aside && this.wanted?.kind === 'key';
  }

  // Whether Undo has a line to take back (it does so once the game waits).
  get canUndo() {
    return !this.aside && this.state !== 'loading' && !this.game.ended &&
        this.game.lineCount > 0;
  }

  // The game's save as a file, for Export save, or null before it has one.
  get saveFile() {
    return this.aside || this.game === null ? null : this.game.record;
  }

  // What New game asks before it starts, or null when nothing would be lost.
  newGameQuestion() {
    return this.lossQuestion('Start a new game');
  }

  lossQuestion(action) {
    if (this.aside) {
      return `${action} here? The game that went on in another tab will be lost.`;
    }
    const game = this.game ?? this.saved;
    if (game !== null && !game.ended && linesIn(game.record) > 0) {
      return `${action}? The game under way will be lost.`;
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
    await this.play({}, newGame(), 'shown');
  }

  // Takes back the last line the player entered, with whatever followed it, once the game
  // waits: the game is played again without it, and the log goes back to the turn before
  // it, which it tells again. Then plays on until the game ends.
  async undo() {
    if (!this.canUndo || this.wanted === null) {
      return;
    }
    const { game } = this;
    this.setState('busy');
    await this.abandon();
    game.lineCount -= 1;
    // A line from before the log began (an imported game's) has no turn in it: the game's
    // screen then starts a new screen of the log.
    const turn = game.records.findLastIndex((record) => record.command !== undefined);
    await this.play({ undo: true }, game, turn > 0 ? { takeBack: turn } : 'shown');
  }

  // What Import save asks before it resumes the save file `name`, or null.
  importQuestion(name) {
    return this.lossQuestion(`Resume the game saved in ${name}`);
  }

  // Whether the save file `name` of `bytes` (at most kLargestImport and one more) can be
  // resumed; when not, says why in one line and changes nothing.
  importable(name, bytes) {
    const problem = bytes.length > kLargestImport ? 'larger than this page can resume'
      : this.engine.check(bytes);
    if (problem !== '') {
      this.view.notice(`${name}: ${problem}`);
    }
    return problem === '';
  }

  // Resumes the save file `name` of `bytes` in place of the game under way, and plays it
  // until it ends. A file that cannot be resumed, or does not replay all the same, is said
  // in one line, and the game under way goes on as it was.
  async importSave(name, bytes) {
    const previous = this.game;
    if (this.state === 'loading') {
      return;
    }
    this.setState('busy');
    await this.abandon();
    if (this.importable(name, bytes)) {
      const text = new TextDecoder().decode(bytes);
      const game = { ...newGame(), record: text, lineCount: linesIn(text) };
      if (await this.runGame({ file: name }, game, 'fresh', text) !== 'refused') {
        return;
      }
    }
    if (previous.ended) {
      this.game = previous;
      this.view.mapCleared();
      this.setState('ended');
    } else {
      await this.play(previous.record === null ? {} : { resume: true }, previous, 'hidden');
    }
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
