// The game's text as the page keeps it: one record for each turn, the records in screens.
//
// A record is { command, text, newScreen }: the line the player sent (absent where the
// game spoke unasked, as with the title menu or after a key), what the game answered up
// to its next wait, and whether the game cleared the screen before that answer.

const kScreenRule = '-'.repeat(32);

// Cuts the game's stream into records, one each time the game waits for the player.
export class TurnRecorder {
  constructor(onRecord) {
    this.onRecord = onRecord;
    this.command = undefined;
    this.text = '';
    this.cleared = false;
  }

  // The line the game takes next, echoed at the start of its turn.
  sent(line) {
    this.command = line;
  }

  write(text) {
    this.text += text;
  }

  // Text written before a clear stays on the old screen. Blank text there is the
  // end of a key wait's line, which a terminal would wipe at once: it is dropped.
  clear() {
    if (this.text.trim() !== '') {
      this.emit();
    }
    this.text = '';
    this.cleared = true;
  }

  // The game waits: whatever it said since its last wait is one turn.
  endTurn() {
    if (this.command !== undefined || this.text !== '') {
      this.emit();
    }
  }

  emit() {
    const record = {};
    if (this.command !== undefined) {
      record.command = this.command;
    }
    record.text = this.text;
    // A clear followed by nothing, as when quitting, leaves the last screen in view.
    if (this.cleared && this.text !== '') {
      record.newScreen = true;
      this.cleared = false;
    }
    this.command = undefined;
    this.text = '';
    this.onRecord(record);
  }
}

// The records as plain text: each command after its prompt, as a terminal echoes it,
// and a rule where the screen was cleared.
export function transcriptOf(records) {
  let text = '';
  for (const record of records) {
    if (record.newScreen) {
      text += `${text === '' || text.endsWith('\n') ? '' : '\n'}${kScreenRule}\n`;
    }
    if (record.command !== undefined) {
      text += `${record.command}\n`;
    }
    text += record.text;
  }
  return text;
}
