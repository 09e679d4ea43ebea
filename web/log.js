// The game's records (turns.js) on the page, in screens.
// The longest last line after which a command still shows on the same line, as typed
// after the prompt; past it, the line may have wrapped and the command takes its own.
const kLongestPrompt = 20;
// Turns to a block of the log.
const kBlockSize = 100;

// The log on the page: each record becomes one element, added whole and never changed,
// so that a screen reader announces that answer and nothing older. A screen is the run of
// records from one clear to the next: its first record is marked with a rule, and once
// the next screen begins its records are dimmed. The records stand in blocks of a
// hundred: a new turn makes the browser lay out its block and step over the others, so
// that a turn costs the same at turn 6,000 as at turn 1, where one long run of records
// cost ever more. (Skipping earlier blocks with content-visibility would leave their
// text out of what Chromium gives screen readers to review.)
export class LogView {
  constructor(element) {
    this.element = element;
    this.clear();
    // A phone's keyboard opening, or a turned phone, changes the room below the screen.
    new ResizeObserver(() => this.scrollToEnd()).observe(element);
  }

  clear() {
    this.element.replaceChildren();
    this.block = null;
    this.blockSize = 0;
    this.element.style.paddingBottom = '';
    this.records = [];
    // Each record's element, and where the log stood after it: the line it ends on and
    // where its screen began.
    this.turns = [];
    this.placed = [];
    this.lastLine = '';
    this.lastText = '';
    this.marked = false;
    this.screen = [];
    this.room = 0;
  }

  append(record) {
    this.goLive();
    this.add(this.place(record));
    this.scrollToEnd();
  }

  // Many records at once, as when a saved game is restored. The log is not yet live (it
  // becomes live with the game's first wait, in goLive, long after): restored turns are
  // never news, however late a browser hands their insertion to a screen reader.
  show(records) {
    for (const record of records) {
      this.add(this.place(record));
    }
    this.scrollToEnd();
  }

  // Back to the first `count` records (an undo), the last of which is added again, as news:
  // a screen reader hears once where the game is now, and nothing older. Taking elements
  // away is not news.
  takeBack(count) {
    const [last] = this.records.splice(count - 1);
    for (const turn of this.turns.splice(count - 1)) {
      turn.remove();
    }
    this.placed.length = count - 1;
    const { lastLine, screenStart } = this.placed[count - 2] ?? { lastLine: '', screenStart: 0 };
    this.lastLine = lastLine;
    this.screen = this.turns.slice(screenStart);
    for (const turn of this.screen) {
      turn.classList.remove('earlier');
    }
    for (const block of [...this.element.children]) {
      if (block.childElementCount === 0) {
        block.remove();
      }
    }
    // In a block of its own, as after goLive, where every browser announces it.
    this.block = null;
    this.append(last);
  }

  add(turn) {
    if (this.block === null || this.blockSize === kBlockSize) {
      this.block = document.createElement('div');
      this.block.className = 'turns';
      this.blockSize = 0;
      this.block.append(turn);
      this.element.append(this.block);
    } else {
      this.block.append(turn);
    }
    this.blockSize += 1;
  }

  goLive() {
    if (!this.element.hasAttribute('role')) {
      this.element.setAttribute('role', 'log');
      this.element.setAttribute('aria-live', 'polite');
      // The next turn starts a block of its own: Chromium keeps what it made of the
      // restored blocks before the log was live, and would not announce a turn in one.
      this.block = null;
    }
  }

  // Returns the record's element, with the classes of its place in the log given to it
  // and to the records before it.
  place(record) {
    this.records.push(record);
    const newScreen = record.newScreen === true && this.screen.length > 0;
    const sameScreen = !newScreen && this.screen.length > 0;
    const turn = this.turnElement(record, this.screen.length > 0 ? this.lastLine : '', sameScreen);
    const lineStart = record.text.lastIndexOf('\n') + 1;
    const carried = !newScreen && record.command === undefined && lineStart === 0;
    this.lastLine = (carried ? this.lastLine : '') + record.text.slice(lineStart);
    if (newScreen) {
      turn.classList.add('new-screen');
      for (const earlier of this.screen) {
        earlier.classList.add('earlier');
      }
      this.screen = [];
    }
    this.screen.push(turn);
    this.turns.push(turn);
    this.placed.push({ lastLine: this.lastLine,
                       screenStart: this.turns.length - this.screen.length });
    return turn;
  }

  // `prompt` is the line the command was typed after: on the same screen, the command
  // stands after it; on a new screen, the prompt is shown again before the command.
  turnElement(record, prompt, sameScreen) {
    const turn = document.createElement('p');
    turn.className = 'turn';
    if (record.command !== undefined) {
      // The player's line is shown but not spoken again: they have just typed it. It
      // stays inline: a block inside the turn would have the whole log read again.
      const command = document.createElement('span');
      command.className = 'command';
      command.setAttribute('aria-hidden', 'true');
      const short = prompt !== '' && prompt.length <= kLongestPrompt;
      command.textContent = `${short && !sameScreen ? prompt : ''}${record.command}\n`;
      if (short && sameScreen) {
        turn.classList.add('after-prompt');
        turn.style.setProperty('--prompt', `${prompt.length}ch`);
      }
      turn.append(command);
    }
    turn.append(record.text);
    // Orca takes an insertion with the same text as the one before for a duplicate event
    // and stays silent: an invisible mark (style.css) keeps a repeated answer spoken.
    this.marked = record.text === this.lastText && !this.marked;
    if (this.marked) {
      turn.classList.add('repeated');
    }
    this.lastText = record.text;
    return turn;
  }

  // At most once a frame, however many turns arrive in it. The log keeps room below the
  // current screen for it to start at the top of the view, as on a cleared terminal.
  scrollToEnd() {
    if (this.scrollWanted) {
      return;
    }
    this.scrollWanted = true;
    requestAnimationFrame(() => {
      this.scrollWanted = false;
      const first = this.screen[0];
      const last = this.screen[this.screen.length - 1];
      if (first === undefined) {
        return;
      }
      const used = last.offsetTop + last.offsetHeight - first.offsetTop;
      const room = Math.max(0, this.element.clientHeight - used);
      if (room !== this.room) {
        this.room = room;
        this.element.style.paddingBottom = `${room}px`;
      }
      this.element.scrollTop = this.element.scrollHeight;
    });
  }
}
