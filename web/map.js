// The map the player draws by walking: every square visited, the ways taken between them,
// and where the player stands, one level at a time. It knows only what the game reports
// through host.showPosition, so it shows nothing unvisited, and a saved game's replay
// draws it again. It is drawn only while its panel is open, at most once a frame.

const kSvg = 'http://www.w3.org/2000/svg';
// Squares stand one unit apart; a square's side, and the ring around the player's.
const kSquare = 0.7;
const kRing = 0.92;
// The fewest squares across the view, so that a few squares are not drawn huge.
const kLeastSpan = 7;

export function levelName(level) {
  if (level === 0) {
    return 'Ground level';
  }
  if (level > 0) {
    return level === 1 ? 'Below ground' : `${level} levels below ground`;
  }
  return level === -1 ? '1 level up' : `${-level} levels up`;
}

// The map's panel is a dialog: modal over the log on a small screen, where the log and the
// input are inert while it is open, and beside the log where there is room for both.
const kBesideTheLog = '(min-width: 70rem)';
const kRemembered = 'vellumfall.map';

export class AutoMap {
  // `panel` (a dialog) holds the picture (an svg), the level chooser (a select), the
  // summary and the Close button; `button` opens and closes it. Whether it was open is
  // kept in `storage` (null: kept nowhere) across reloads.
  constructor(panel, button, storage) {
    this.panel = panel;
    this.button = button;
    this.storage = storage;
    this.image = panel.querySelector('svg');
    this.chooser = panel.querySelector('select');
    this.summary = panel.querySelector('.summary');
    this.drawWanted = false;
    this.wide = window.matchMedia(kBesideTheLog);
    // Beside the log, Map and Close take no focus from the input: the player plays on
    // with the map open, and a phone keeps its keyboard.
    const close = panel.querySelector('.close');
    for (const control of [button, close]) {
      control.addEventListener('mousedown', (event) => {
        if (this.wide.matches) {
          event.preventDefault();
        }
      });
    }
    button.addEventListener('click', () => (panel.open ? this.close() : this.open()));
    close.addEventListener('click', () => this.close());
    // Escape: the browser's own for a modal dialog, the page's beside the log.
    panel.addEventListener('cancel', (event) => {
      event.preventDefault();
      this.close();
    });
    document.addEventListener('keydown', (event) => {
      if (event.key === 'Escape' && panel.open) {
        event.preventDefault();
        this.close();
      }
    });
    // A modal panel keeps the focus: Tab from its last control goes to its first, and
    // Shift-Tab back, rather than out to the browser.
    panel.addEventListener('keydown', (event) => {
      if (event.key !== 'Tab' || !panel.matches(':modal')) {
        return;
      }
      const controls = [...panel.querySelectorAll('select, button')].filter((c) => !c.disabled);
      const edge = event.shiftKey ? controls[0] : controls[controls.length - 1];
      if (document.activeElement === edge || !panel.contains(document.activeElement)) {
        event.preventDefault();
        (event.shiftKey ? controls[controls.length - 1] : controls[0]).focus();
      }
    });
    this.chooser.addEventListener('change', () => {
      this.shown = Number(this.chooser.value);
      this.draw();
    });
    // Turned or resized across the width that has room for both: open as the new width
    // wants it.
    this.wide.addEventListener('change', () => {
      if (panel.open) {
        this.show(document.activeElement);
      }
    });
    this.clear();
    if (this.remembered() === 'open') {
      this.open();
    }
  }

  remembered(value) {
    try {
      if (value === undefined) {
        return this.storage?.getItem(kRemembered) ?? null;
      }
      this.storage?.setItem(kRemembered, value);
    } catch {
      // A browser that keeps nothing forgets the map too.
    }
    return value;
  }

  open() {
    this.remembered('open');
    this.button.setAttribute('aria-expanded', 'true');
    this.show(document.activeElement);
  }

  show(focused) {
    if (this.panel.open) {
      this.panel.close();
    }
    if (this.wide.matches) {
      this.panel.show();
      // show() moves the focus into the panel; beside the log it stays where it was.
      if (focused && focused !== document.body) {
        focused.focus();
      } else {
        document.activeElement?.blur();
      }
    } else {
      this.panel.showModal();
    }
    this.draw();
  }

  // The focus goes back to the Map button from a modal panel, and beside the log when
  // it was inside the panel or nowhere; in the input, say, it stays.
  close() {
    if (!this.panel.open) {
      return;
    }
    const modal = this.panel.matches(':modal');
    const focusInside = this.panel.contains(document.activeElement);
    this.panel.close();
    this.remembered('closed');
    this.button.setAttribute('aria-expanded', 'false');
    if (modal || focusInside || document.activeElement === document.body) {
      this.button.focus();
    }
  }

  // Keys meant for the panel (Escape while it is open, any key inside it) are not the
  // game's, even at a key wait.
  takesKey(event) {
    return this.panel.open && (event.key === 'Escape' || this.panel.contains(event.target));
  }

  clear() {
    // For each level: its squares by "x,y" ({ x, y, up, down }), and the ways taken
    // between two squares, by "x,y,x,y" in the order the squares were first met.
    this.levels = new Map();
    this.here = null;
    this.shown = 0;
    this.changed();
  }

  // Where the game put the player, and how: only a move comes from the square before.
  record(level, x, y, kind) {
    const square = this.visit(level, x, y);
    const from = this.here;
    if (kind === 'move' && from !== null) {
      if (from.level !== level && from.x === x && from.y === y) {
        const wentUp = level < from.level;
        this.visit(from.level, x, y)[wentUp ? 'up' : 'down'] = true;
        square[wentUp ? 'down' : 'up'] = true;
      } else if (from.level === level && Math.abs(from.x - x) + Math.abs(from.y - y) === 1) {
        const ways = this.levels.get(level).ways;
        if (!ways.has(`${x},${y},${from.x},${from.y}`)) {
          ways.add(`${from.x},${from.y},${x},${y}`);
        }
      }
    }
    if (from === null || from.level !== level) {
      this.shown = level;
    }
    this.here = { level, x, y };
    this.changed();
  }

  visit(level, x, y) {
    if (!this.levels.has(level)) {
      this.levels.set(level, { squares: new Map(), ways: new Set() });
    }
    const { squares } = this.levels.get(level);
    const key = `${x},${y}`;
    if (!squares.has(key)) {
      squares.set(key, { x, y, up: false, down: false });
    }
    return squares.get(key);
  }

  changed() {
    if (!this.panel.open || this.drawWanted) {
      return;
    }
    this.drawWanted = true;
    requestAnimationFrame(() => {
      this.drawWanted = false;
      if (this.panel.open) {
        this.draw();
      }
    });
  }

  draw() {
    this.drawChooser();
    const level = this.levels.get(this.shown);
    const squares = level ? [...level.squares.values()] : [];
    // Quietly: the summary is the picture's label, not news to be announced.
    this.summary.textContent = level === undefined ? 'No places visited yet'
      : `${levelName(this.shown)}: ${placesVisited(squares.length)}`;
    const shapes = [];
    for (const way of level ? level.ways : []) {
      shapes.push(wayLine(...way.split(',').map(Number)));
    }
    for (const square of squares) {
      shapes.push(squareShape(square, kSquare, 'square'));
      if (square.up || square.down) {
        shapes.push(stairMarks(square));
      }
    }
    const { here } = this;
    if (here !== null && here.level === this.shown) {
      shapes.push(squareShape(here, kRing, 'here'));
    }
    this.image.setAttribute('viewBox', viewBox(squares));
    this.image.replaceChildren(...shapes);
  }

  // The levels visited, top first, and the one shown.
  drawChooser() {
    const levels = [...this.levels.keys()].sort((a, b) => a - b);
    if (this.chooserLevels !== levels.join()) {
      this.chooserLevels = levels.join();
      this.chooser.replaceChildren(...levels.map((level) => new Option(levelName(level), level)));
    }
    this.chooser.disabled = levels.length === 0;
    this.chooser.value = String(this.shown);
  }
}

function placesVisited(count) {
  return `${count} ${count === 1 ? 'place' : 'places'} visited`;
}

function element(name, attributes) {
  const shape = document.createElementNS(kSvg, name);
  for (const [attribute, value] of Object.entries(attributes)) {
    shape.setAttribute(attribute, value);
  }
  return shape;
}

function squareShape({ x, y }, side, className) {
  return element('rect', { class: className, x: x - side / 2, y: y - side / 2,
                           width: side, height: side });
}

// From the edge of one square to the edge of the next.
function wayLine(x1, y1, x2, y2) {
  const inset = kSquare / 2;
  const dx = x2 - x1;
  const dy = y2 - y1;
  return element('line', { class: 'way', x1: x1 + dx * inset, y1: y1 + dy * inset,
                           x2: x2 - dx * inset, y2: y2 - dy * inset });
}

// A triangle pointing up in the square's upper half for a way up, one pointing down in
// its lower half for a way down.
function stairMarks({ x, y, up, down }) {
  const triangle = (sign) => `M${x - 0.2} ${y + sign * 0.06}H${x + 0.2}L${x} ${y + sign * 0.3}Z`;
  const d = (up ? triangle(-1) : '') + (down ? triangle(1) : '');
  return element('path', { class: 'stairs', d });
}

// The squares visited, with a square to spare around them, so that the ring keeps clear of
// the edge, and at least kLeastSpan squares each way.
function viewBox(squares) {
  if (squares.length === 0) {
    return `${-kLeastSpan / 2} ${-kLeastSpan / 2} ${kLeastSpan} ${kLeastSpan}`;
  }
  const xs = squares.map((square) => square.x);
  const ys = squares.map((square) => square.y);
  const span = (values) => Math.max(kLeastSpan, Math.max(...values) - Math.min(...values) + 2);
  const middle = (values) => (Math.max(...values) + Math.min(...values)) / 2;
  const width = span(xs);
  const height = span(ys);
  return `${middle(xs) - width / 2} ${middle(ys) - height / 2} ${width} ${height}`;
}
