'use strict';
// The page played in Debian's headless Chromium at a phone's size, with the keyboard and
// with touch: a whole game, the key wait, the log turn by turn and screen by screen, the
// save, offline play, the manifest, and axe-core's accessibility rules.
// Usage: node page.test.js SITE_DIR WALKTHROUGH_INPUT
const assert = require('assert/strict');
const { spawnSync } = require('child_process');
const fs = require('fs');
const path = require('path');
const { test, before, after } = require('node:test');
const { chromium } = require('playwright-core');
const { serveFolder, kChromium } = require('./serve.js');

const [site, walkthrough] = process.argv.slice(2);
const kPhone = { width: 360, height: 640 };
// The walkthrough's answers, each up to its prompt: the title menu, then one for each line.
const answers = fs.readFileSync(walkthrough.replace(/\.in$/, '.out'), 'utf8').split('>>')
  .map((answer) => `${answer}>>`);
const [kTitleMenu, kField, kGrassland] = answers;
const kHouse = 'You are in front of a house.\nThe door is locked.\n>>';
const kPressAnyKey = 'Press any key to continue . . . ';

let server;
let browser;

before(async () => {
  server = await serveFolder(site);
  browser = await chromium.launch(kChromium);
});

after(async () => {
  await browser.close();
  server.close();
});

// A fresh page at a phone's size (in `context` when given), every address it asks for and
// every error it throws.
async function openPage(context, url = server.url) {
  const page = await (context || browser).newPage(context ? {} : { viewport: kPhone,
                                                                  colorScheme: 'dark' });
  const requests = [];
  const errors = [];
  page.on('request', (request) => requests.push(request.url()));
  page.on('pageerror', (error) => errors.push(error.message));
  await page.goto(url);
  await whenWaiting(page);
  return { page, requests, errors };
}

const newPhone = (options = {}) => browser.newContext({ viewport: kPhone, colorScheme: 'dark',
                                                       ...options });

const logText = (page) => page.locator('#log').textContent();
const state = (page) => page.locator('main').getAttribute('data-state');

// The game has taken every line sent and waits for the next, or for a key, or has ended.
const whenWaiting = (page) => page.locator(
  'main:not([data-state="busy"]):not([data-state="loading"])').waitFor();

async function typeLine(page, line) {
  await page.keyboard.type(line);
  await page.keyboard.press('Enter');
  await whenWaiting(page);
}

async function playLines(page, lines) {
  for (const line of lines) {
    await typeLine(page, line);
  }
}

// The walkthrough's lines, with a key pressed at each key wait on the way.
async function playThrough(page, lines) {
  for (const line of lines) {
    if (await state(page) === 'key') {
      await page.keyboard.press('Space');
      await whenWaiting(page);
    }
    await typeLine(page, line);
  }
}

// Export save's file, downloaded from the Saves dialog; the focus is back in the input.
async function exportSave(page) {
  await page.click('#saves-button');
  await assertAccessible(page, 'the Saves dialog');
  const [download] = await Promise.all([page.waitForEvent('download'),
                                        page.click('#export-save')]);
  assert.equal(download.suggestedFilename(), 'vellumfall.save');
  await page.keyboard.press('Escape');
  assert.equal(await activeId(page), 'saves-button');
  await page.focus('#command');
  return download.path();
}

// A file that is no save, dropped on the page as a player drops one.
const dropFile = (page, name) => page.evaluate((fileName) => {
  const data = new DataTransfer();
  data.items.add(new File(['{}'], fileName));
  document.body.dispatchEvent(new DragEvent('drop', { dataTransfer: data, bubbles: true }));
}, name);

// The save `file`, imported in a fresh browser and continued under Node with `lines`,
// answers them as `played` (the page's turns); piped, Node has no key waits. A damaged file
// dropped on that page then changes nothing.
async function assertResumedElsewhere(file, lines, played) {
  const context = await newPhone();
  const { page, errors } = await openPage(context);
  await page.setInputFiles('#import-file', file);
  // The title menu gives way to the saved screen, and the game waits on it.
  await page.waitForFunction(() => !document.getElementById('log').textContent
    .includes('Welcome to Vellumfall'));
  await page.locator('main[data-state="line"]').waitFor();
  await playThrough(page, lines);
  const [screen, ...resumed] = await answersShown(page);
  assert.deepEqual(resumed, played);
  const node = spawnSync(process.execPath, [path.join(site, '..', 'npm', 'bin', 'vellumfall.js'),
                                            '--continue', file],
                         { input: lines.map((line) => `${line}\n`).join('') });
  const piped = played.join('').replaceAll(`${kPressAnyKey}\n`, '').replaceAll(kPressAnyKey, '');
  assert.equal(node.stdout.toString(), `${screen}${piped}\n`);

  const before = await logText(page);
  page.once('dialog', (dialog) => dialog.accept());
  await dropFile(page, 'notes.save');
  await page.getByText('notes.save: not a Vellumfall save').waitFor();
  await page.locator('main[data-state="line"]').waitFor();
  assert.equal(await logText(page), before);
  assert.deepEqual(errors, []);
  await context.close();
}

// What the game said in each turn of the log, without the lines typed.
const answersShown = (page) => page.locator('#log .turn').evaluateAll((turns) => turns.map(
  (turn) => [...turn.childNodes].filter((node) => !node.classList?.contains('command'))
    .map((node) => node.textContent).join('')));

// Whatever the page would do with an event already sent is done after a frame.
const settle = (page) => page.evaluate(() => new Promise((resolve) => {
  requestAnimationFrame(() => setTimeout(resolve));
}));

// The last turn starts a new screen, at the top of the view.
async function assertNewScreenOnTop(page) {
  await settle(page);
  const { isNew, offset } = await page.evaluate(() => {
    const log = document.getElementById('log');
    const turn = [...log.querySelectorAll('.turn')].pop();
    const offset = turn.getBoundingClientRect().top - log.getBoundingClientRect().top;
    return { isNew: turn.classList.contains('new-screen'), offset };
  });
  assert.ok(isNew && Math.abs(offset) <= 1, `the new screen starts ${offset} px from the top`);
}

async function assertNoSidewaysScrolling(page) {
  const { scrollWidth, clientWidth } = await page.evaluate(() => {
    const { scrollWidth, clientWidth } = document.documentElement;
    return { scrollWidth, clientWidth };
  });
  assert.ok(scrollWidth <= clientWidth, `the page is ${scrollWidth} px wide in ${clientWidth}`);
}

// axe-core's rules, and with `enhanced` its 7:1 contrast rule too.
async function assertAccessible(page, what, enhanced = false) {
  // Evaluated by the browser's own tools, past the page's CSP and Trusted Types.
  await page.evaluate(fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8'));
  const { violations } = await page.evaluate((enabled) => window.axe.run({
    rules: { 'color-contrast-enhanced': { enabled } },
  }), enhanced);
  const found = violations.map((v) => `${v.id}: ${v.help} (${v.nodes.map((n) => n.target)})`);
  assert.deepEqual(found, [], `axe-core on ${what}`);
}

const activeId = (page) => page.evaluate(() => document.activeElement.id);

test('the walkthrough to the finale, which stays after quitting, then a new game; its save, ' +
     'exported past the meteor, goes on as the page did in a fresh browser and under Node',
     async () => {
  const { page, requests, errors } = await openPage();
  assert.equal(await activeId(page), 'command');
  await assertAccessible(page, 'the title menu');

  // Line by line, as a player would: the player dies once on the way, and a line typed
  // ahead of that wait would lose its first key to it, as on a terminal. Past the meteor,
  // which scatters the zombies, and that death, the game is exported.
  const lines = fs.readFileSync(walkthrough, 'utf8').split('\n').slice(0, -1);
  const exportAt = lines.indexOf('take gearbox') + 4;
  let exported;
  for (const [index, line] of lines.slice(0, -1).entries()) {
    if (await state(page) === 'key') {
      assert.ok((await logText(page)).endsWith(kPressAnyKey));
      await assertAccessible(page, 'a key wait');
      await page.keyboard.press('Space');
      await whenWaiting(page);
    }
    if (index === exportAt) {
      exported = { turns: (await answersShown(page)).length, file: await exportSave(page) };
    }
    await typeLine(page, line);
  }
  await assertResumedElsewhere(exported.file, lines.slice(exportAt, -1),
                               (await answersShown(page)).slice(exported.turns));
  const finale = await logText(page);
  assert.match(finale, /TO BE CONTINUED\.\.\./);
  // Each line is echoed after its prompt.
  assert.match(finale, />>i\nTower Key\n/);
  assert.ok(finale.endsWith('<Hit q to quit>\n>>'), finale.slice(-80));
  await assertNoSidewaysScrolling(page);

  // Quitting clears the screen, but nothing follows: the finale stays in view.
  await typeLine(page, lines[lines.length - 1]);
  await page.getByText('The game has ended.').waitFor();
  assert.equal(await logText(page), `${finale}q y\nWould you like to quit?\n`);
  await settle(page);
  assert.ok(await page.locator('#log').evaluate((log) => {
    const finale = [...log.querySelectorAll('.turn')]
      .findLast((turn) => turn.textContent.includes('CONTINUED'));
    const shown = log.getBoundingClientRect();
    const { top, bottom } = finale.getBoundingClientRect();
    return top < shown.bottom && bottom > shown.top;
  }), 'the finale is in view');
  for (const control of ['#command', '#send']) {
    assert.ok(await page.locator(control).isDisabled(), `${control} is disabled`);
  }
  assert.equal(await activeId(page), 'new-game');
  await assertAccessible(page, 'the end of a game');
  // And so it stays after a reload.
  const ended = await logText(page);
  await page.reload();
  await page.getByText('The game has ended.').waitFor();
  assert.equal(await logText(page), ended);

  // New game, and three lines sent in one go, before the game can take the first: each
  // is echoed as its turn comes, and answered in order.
  await page.keyboard.press('Enter');
  await page.evaluate(() => {
    const input = document.getElementById('command');
    for (const line of ['0', 'n', 'i']) {
      input.value = line;
      input.form.requestSubmit();
    }
  });
  await page.locator('main[data-state="line"]').waitFor();
  assert.equal(await logText(page),
               `${kTitleMenu}0\n${kField}n\n${kHouse}i\n\nYou have 10 HP left\n${kHouse}`);
  assert.deepEqual(requests.filter((url) => !url.startsWith(server.url)), [],
                   'everything comes from the site folder');
  assert.deepEqual(errors, []);
  await page.close();
});

test('turn by turn: one new element each, never busy; a clear keeps the earlier screens; ' +
     'the transcript', async () => {
  const { page, errors } = await openPage();
  // What a screen reader is told: one element added for each turn, to the log or to its
  // last block, and nothing changed.
  await page.evaluate(() => {
    window.changes = [];
    new MutationObserver((records) => {
      for (const record of records) {
        const inLog = [record.target, record.target.parentNode].some((node) => node.id === 'log');
        window.changes.push(record.type === 'childList' && inLog &&
                            record.removedNodes.length === 0 ? record.addedNodes.length
                                                             : record.attributeName || 'inner');
      }
    }).observe(document.getElementById('log'), {
      childList: true, subtree: true, characterData: true, attributeFilter: ['aria-busy'],
    });
  });
  await playLines(page, ['0', 'n', 'l', 'l']);
  assert.deepEqual(await page.evaluate(() => window.changes), [1, 1, 1, 1]);
  await assertNewScreenOnTop(page);
  assert.ok(await page.locator('#log').evaluate((log) => log.scrollTop > 0));
  const played = `${kTitleMenu}0\n${kField}n\n${kHouse}`;
  // A new screen starts with the prompt and the command that cleared it.
  assert.equal(await logText(page), `${played}>>l\n${kHouse}>>l\n${kHouse}`);
  await assertAccessible(page, 'earlier screens');
  // Scrolled out of view, the earlier screens are still there for a screen reader.
  const cdp = await page.context().newCDPSession(page);
  const { nodes } = await cdp.send('Accessibility.getFullAXTree');
  assert.ok(nodes.some(({ role, name }) => role.value === 'StaticText' &&
                                           name.value.startsWith(kField.split('\n')[0])));
  // The player's lines are not spoken again; earlier screens are dimmed.
  assert.ok(!nodes.some(({ name }) => /^(>>)?[nl]\n?$/.test(name?.value)));
  const colours = await page.locator('#log .turn').evaluateAll((turns) => turns.map(
    (turn) => getComputedStyle(turn).color));
  assert.notEqual(colours[0], colours[colours.length - 1]);

  const [download] = await Promise.all([page.waitForEvent('download'),
                                        page.click('#transcript')]);
  assert.equal(download.suggestedFilename(), 'vellumfall-transcript.txt');
  const rule = '-'.repeat(32);
  assert.equal(fs.readFileSync(await download.path(), 'utf8'),
               `${played}\n${rule}\nl\n${kHouse}\n${rule}\nl\n${kHouse}`);
  assert.deepEqual(errors, []);
  await page.close();
});

test('a key wait on a phone: a swipe does not continue; Continue, a tap or a key does',
     async () => {
  const context = await newPhone({ hasTouch: true, isMobile: true });
  const { page, errors } = await openPage(context);
  const colours = await page.locator('#log').evaluate((log) => getComputedStyle(log).color);
  assert.equal(colours, 'rgb(85, 255, 85)');

  // Send, tapped, leaves the keyboard where it was.
  await page.fill('#command', '1');
  await page.tap('#send');
  await whenWaiting(page);
  assert.equal(await activeId(page), 'continue');

  const touch = await context.newCDPSession(page);
  const box = await page.locator('#log').boundingBox();
  const x = box.x + box.width / 2;
  const y = box.y + box.height / 2;
  await touch.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [{ x, y }] });
  for (let step = 1; step <= 5; step += 1) {
    await touch.send('Input.dispatchTouchEvent',
                     { type: 'touchMove', touchPoints: [{ x, y: y - 30 * step }] });
  }
  await touch.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  await settle(page);
  assert.equal(await state(page), 'key', 'a swipe continued');
  await page.tap('#continue');
  await whenWaiting(page);
  await assertNewScreenOnTop(page);
  assert.equal(await activeId(page), 'command');

  await typeLine(page, '1');
  await page.touchscreen.tap(x, y);
  await page.locator('main[data-state="line"]').waitFor();

  // At a key wait the keyboard still moves the focus, copies, and opens the map; then a
  // printable key continues.
  await typeLine(page, '1');
  await page.keyboard.press('Tab');
  await page.keyboard.press('Control+C');
  await page.focus('#map-button');
  await page.keyboard.press('Enter');
  assert.ok(await page.locator('#map').isVisible());
  await page.keyboard.press('Escape');
  assert.equal(await activeId(page), 'map-button');
  assert.equal(await state(page), 'key');
  await page.keyboard.press('x');
  await page.locator('main[data-state="line"]').waitFor();
  // The key only continued: it was not typed.
  assert.equal(await page.inputValue('#command'), '');

  await page.focus('#command');
  await page.keyboard.press('ArrowUp');
  assert.equal(await page.inputValue('#command'), '1');
  await page.keyboard.press('ArrowDown');
  assert.equal(await page.inputValue('#command'), '');

  await typeLine(page, '3');
  await page.getByText('The game has ended.').waitFor();
  assert.deepEqual(errors, []);
  await context.close();
});

test('the save: a reload and a new tab resume where the player was; New game discards it; ' +
     'a damaged save gives a new game', async () => {
  const context = await newPhone();
  const { page, errors } = await openPage(context);
  // Reloaded at a key wait, the game waits for that key again.
  await typeLine(page, '1');
  const atKeyWait = await logText(page);
  await page.reload();
  await whenWaiting(page);
  assert.equal(await state(page), 'key');
  assert.equal(await logText(page), atKeyWait);
  await page.keyboard.press('Enter');
  await whenWaiting(page);

  await playLines(page, ['0', 'w', 'n', 'take key']);
  const played = await logText(page);
  // A restored log is not news: its turns arrive before the log is live.
  await page.addInitScript(() => {
    window.liveInsertions = 0;
    new MutationObserver((changes) => {
      for (const { target, addedNodes } of changes) {
        if (target.closest?.('#log')?.getAttribute('aria-live') === 'polite') {
          window.liveInsertions += addedNodes.length;
        }
      }
    }).observe(document, { childList: true, subtree: true });
  });
  await page.reload();
  await whenWaiting(page);
  assert.equal(await logText(page), played);
  assert.equal(await page.evaluate(() => window.liveInsertions), 0);
  assert.equal(await page.getAttribute('#log', 'aria-live'), 'polite');
  await typeLine(page, 'i');
  assert.ok((await logText(page)).endsWith(`i\nHouse Key\n\nYou have 10 HP left\n${kGrassland}`));

  // Undo takes back i, then take key: each time the turn before is told again, alone.
  for (let undone = 1; undone <= 2; undone += 1) {
    await page.click('#undo');
    await page.locator('main[data-state="line"]').waitFor();
    assert.equal(await page.evaluate(() => window.liveInsertions), 1 + undone);
  }
  assert.equal(await logText(page), played.slice(0, played.lastIndexOf('take key')));
  await page.focus('#command');
  await typeLine(page, 'i');
  const keyHere = kGrassland.replace('>>', 'There is a House Key here\n>>');
  assert.ok((await logText(page)).endsWith(`i\n\nYou have 10 HP left\n${keyHere}`));
  await typeLine(page, 'take key');

  // A new tab takes the game over; the first steps aside.
  const second = await openPage(context);
  assert.equal(await logText(second.page), await logText(page));
  await page.getByText('This game went on in another tab.').waitFor();
  assert.ok(await page.locator('#command').isDisabled());
  assert.equal(await activeId(page), 'play-here');
  await typeLine(second.page, 'l');
  assert.ok((await logText(second.page)).endsWith(`l\n${kGrassland}`));
  // Play here takes it back, with the turn played in the other tab.
  await page.click('#play-here');
  await page.locator('main[data-state="line"]').waitFor();
  assert.equal(await logText(page), await logText(second.page));
  await second.page.getByText('This game went on in another tab.').waitFor();
  await second.page.click('#play-here');
  await second.page.locator('main[data-state="line"]').waitFor();

  // New game asks first; declined, the game goes on.
  const underway = await logText(second.page);
  second.page.once('dialog', (dialog) => dialog.dismiss());
  await second.page.click('#new-game');
  await typeLine(second.page, 'l');
  assert.equal(await logText(second.page), `${underway}>>l\n${kGrassland}`);
  second.page.once('dialog', (dialog) => dialog.accept());
  await second.page.click('#new-game');
  await second.page.locator('main[data-state="line"]').waitFor();
  assert.equal(await logText(second.page), kTitleMenu);
  await second.page.reload();
  await whenWaiting(second.page);
  assert.equal(await logText(second.page), kTitleMenu);

  // A save that is not JSON, one of the page's first format, and one whose record does
  // not replay to its screen.
  await typeLine(second.page, '0');
  const damages = [
    () => localStorage.setItem('vellumfall.save', '{'),
    () => localStorage.setItem('vellumfall.save', '{"format":1,"seed":7,"lines":0}'),
    () => {
      const header = JSON.parse(localStorage.getItem('vellumfall.save'));
      const record = header.record.replace('line 0', 'line 1');
      localStorage.setItem('vellumfall.save', JSON.stringify({ ...header, record }));
    },
  ];
  for (const damage of damages) {
    await second.page.evaluate(damage);
    await second.page.reload();
    await second.page.getByText('The saved game could not be resumed').waitFor();
    await second.page.locator('main[data-state="line"]').waitFor();
    assert.equal(await logText(second.page), kTitleMenu);
    await typeLine(second.page, '0');
  }
  await assertAccessible(second.page, 'a dropped save');
  assert.deepEqual([...errors, ...second.errors], []);
  await context.close();
});

test('a browser that keeps nothing: the game plays, and says it is not saved', async () => {
  const context = await newPhone();
  await context.addInitScript(() => {
    Storage.prototype.setItem = () => {
      throw new DOMException('The quota has been exceeded.', 'QuotaExceededError');
    };
  });
  const { page, errors } = await openPage(context);
  await page.getByText('This browser did not save the game').waitFor();
  await playLines(page, ['0', 'n']);
  assert.ok((await logText(page)).endsWith(`n\n${kHouse}`));
  assert.deepEqual(errors, []);
  await context.close();
});

test('offline after the first visit, and installable', async (t) => {
  // A server of its own, stopped once the site is in the browser.
  const ownServer = await serveFolder(site);
  t.after(ownServer.close);
  const context = await newPhone();
  const { page, errors } = await openPage(context, ownServer.url);
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null);

  const cdp = await context.newCDPSession(page);
  const { errors: manifestErrors, data } = await cdp.send('Page.getAppManifest');
  assert.deepEqual(manifestErrors, []);
  const manifest = JSON.parse(data);
  assert.equal(manifest.display, 'standalone');
  // Chromium installs nothing from a private window, as every test's is.
  const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
  assert.deepEqual(installabilityErrors.filter(({ errorId }) => errorId !== 'in-incognito'), []);
  for (const { src, sizes } of manifest.icons) {
    const width = await page.evaluate(async (url) => {
      const image = new Image();
      image.src = url;
      await image.decode();
      return image.naturalWidth;
    }, src);
    assert.ok(sizes === 'any' || sizes === `${width}x${width}`, `${src} is ${width} px wide`);
  }

  await ownServer.close();
  await page.reload();
  await whenWaiting(page);
  await typeLine(page, '0');
  assert.ok((await logText(page)).endsWith(`0\n${kField}`));
  assert.deepEqual(errors, []);
  await context.close();
});

test('the map: the squares visited, the ways taken and the player; a modal dialog on a ' +
     'phone, beside the log on a wide screen; it follows a level change and is kept open ' +
     'across a reload', async () => {
  const context = await newPhone();
  const { page, errors } = await openPage(context);
  const lines = fs.readFileSync(walkthrough, 'utf8').split('\n');
  await playLines(page, lines.slice(0, 8));
  await page.click('#map-button');
  assert.equal(await page.getAttribute('#map-button', 'aria-expanded'), 'true');
  // Each shape at the square it stands on, the ways by both ends, as x,y; a way up or down
  // by the half of its square it points to.
  const at = (selector) => page.locator(`#map ${selector}`).evaluateAll((shapes) => shapes.map(
    (shape) => {
      if (shape.localName === 'line') {
        const end = (x, y) => [x, y].map((name) => Math.round(shape[name].baseVal.value)).join();
        return `${end('x1', 'y1')} ${end('x2', 'y2')}`;
      }
      const box = shape.getBBox();
      const [x, y] = [box.x + box.width / 2, box.y + box.height / 2];
      const way = shape.classList.contains('stairs') ? (y > Math.round(y) ? ' down' : ' up') : '';
      return `${Math.round(x)},${Math.round(y)}${way}`;
    }).sort());
  // The walkthrough's first moves: w, n, n, w, n, w from the start.
  const walked = ['0,0', '-1,0', '-1,-1', '-1,-2', '-2,-2', '-2,-3', '-3,-3'];
  assert.deepEqual(await at('.square'), [...walked].sort());
  assert.deepEqual(await at('.way'),
                   walked.slice(1).map((square, i) => `${walked[i]} ${square}`).sort());
  assert.deepEqual(await at('.here'), ['-3,-3']);
  await page.getByRole('img', { name: 'Ground level: 7 places visited' }).waitFor();
  await assertAccessible(page, 'the map');
  await assertNoSidewaysScrolling(page);

  // On a phone it is modal: the focus stays inside, the log and the input are inert, and
  // the map keeps its room in a short view.
  assert.ok(await page.locator('#map').evaluate((map) => map.matches(':modal')));
  await page.focus('#map .close');
  await page.keyboard.press('Tab');
  assert.ok(await page.evaluate(() => document.getElementById('map').contains(
    document.activeElement)), 'Tab from Close stays in the map');
  assert.ok(await page.evaluate(() => {
    document.getElementById('command').focus();
    return document.activeElement.id !== 'command';
  }), 'the input is inert');
  for (const viewport of [{ width: 320, height: 256 }, { width: 360, height: 330 }]) {
    await page.setViewportSize(viewport);
    const map = await page.locator('#map').boundingBox();
    const picture = await page.locator('#map svg').boundingBox();
    assert.ok(map.height >= 200 && picture.height >= 100,
              `at ${viewport.width}x${viewport.height} the map is ${map.height} px tall`);
  }
  await page.setViewportSize(kPhone);
  await page.keyboard.press('Escape');
  assert.ok(await page.locator('#map').isHidden());
  assert.equal(await activeId(page), 'map-button');

  // Beside the log on a wide screen, where nothing moves as it opens; the player plays on
  // with it open, down to the tunnels: the map goes down too, and the way down is marked
  // on both levels.
  await page.setViewportSize({ width: 1280, height: 800 });
  const closed = await page.locator('#log').boundingBox();
  await page.click('#map-button');
  const log = await page.locator('#log').boundingBox();
  assert.deepEqual(log, closed);
  const map = await page.locator('#map').boundingBox();
  assert.ok(map.x >= log.x + log.width, 'the map stands beside the log');
  await page.focus('#command');
  for (const line of lines.slice(8, lines.indexOf('d') + 1)) {
    if (await state(page) === 'key') {
      await page.keyboard.press('Space');
      await whenWaiting(page);
    }
    await typeLine(page, line);
  }
  await page.getByText('Below ground: 1 place visited').waitFor();
  const [below] = await at('.here');
  assert.deepEqual(await at('.stairs'), [`${below} up`]);
  assert.equal(await page.inputValue('#map select'), '1');
  await page.selectOption('#map select', { label: 'Ground level' });
  assert.ok((await at('.stairs')).includes(`${below} down`));
  assert.deepEqual(await at('.here'), []);
  const ground = await page.locator('#map svg').innerHTML();

  // A reload draws it again from the replay, open as it was.
  await page.reload();
  await whenWaiting(page);
  assert.ok(await page.locator('#map').isVisible());
  await page.selectOption('#map select', { label: 'Ground level' });
  assert.equal(await page.locator('#map svg').innerHTML(), ground);
  // A new game starts a new map.
  page.once('dialog', (dialog) => dialog.accept());
  await page.click('#new-game');
  await page.getByText('No places visited yet').waitFor();
  assert.deepEqual(errors, []);
  await context.close();
});

test('a slow first visit on a strict host: readable at once, no line lost to the form, ' +
     'each file downloaded once, offline all the same; a refused service worker is said',
     async (t) => {
  const kStrict = "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self'; " +
                  "require-trusted-types-for 'script'";
  const strict = await serveFolder(site, { headers: {
    'Content-Security-Policy': `${kStrict}; trusted-types vellumfall-sw` } });
  const refusing = await serveFolder(site, { headers: {
    'Content-Security-Policy': `${kStrict}; trusted-types 'none'` } });
  t.after(() => Promise.all([strict.close(), refusing.close()]));
  const context = await newPhone();
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  const cdp = await context.newCDPSession(page);
  await cdp.send('Network.emulateNetworkConditions', {
    offline: false, latency: 400, downloadThroughput: 50000, uploadThroughput: 50000 });
  await page.goto(strict.url, { waitUntil: 'commit' });
  await page.getByText('Loading the game…').waitFor();
  assert.ok(!await page.locator('#command').isEditable());
  await page.keyboard.press('Enter');
  // A save dropped on the page while the game loads is taken once it has loaded.
  await page.locator('#log[role="log"]').waitFor({ state: 'attached' });
  assert.equal(await state(page), 'loading');
  await dropFile(page, 'early.save');
  await page.locator('main[data-state="line"]').waitFor({ timeout: 60000 });
  assert.equal(page.url(), strict.url);
  await page.getByText('early.save: not a Vellumfall save').waitFor();
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
  const twice = Object.entries(strict.served).filter(([, count]) => count > 1);
  assert.deepEqual(twice, [], 'files downloaded twice');

  const refused = await openPage(context, refusing.url);
  await refused.page.getByText('This page will not play offline').waitFor();
  await typeLine(refused.page, '0');
  assert.ok((await logText(refused.page)).endsWith(`0\n${kField}`));
  assert.deepEqual(errors, []);
  await context.close();
});

test('colours and sizes: both themes and more contrast at 7:1, the map in forced colours, ' +
     'a text size kept, every control 44 px square', async () => {
  const context = await newPhone();
  const { page, errors } = await openPage(context);
  await playLines(page, ['0', 'n']);
  await assertAccessible(page, 'the dark theme', true);
  await page.click('#settings-button');
  await page.check('input[name="theme"][value="light"]');
  await page.selectOption('#text-size', { label: 'Small' });
  await page.click('#settings button[type="submit"]');
  assert.equal(await activeId(page), 'settings-button');
  await page.reload();
  await whenWaiting(page);
  const root = await page.evaluate(() => [document.documentElement.dataset.theme,
                                          getComputedStyle(document.body).backgroundColor,
                                          document.documentElement.style.fontSize]);
  assert.deepEqual(root, ['light', 'rgb(255, 255, 255)', '87.5%']);
  await assertAccessible(page, 'the light theme', true);
  await page.emulateMedia({ contrast: 'more' });
  await assertAccessible(page, 'more contrast', true);

  const boxes = await page.locator('button:visible, select:visible, input[type="text"]')
    .evaluateAll((controls) => controls.map((control) => {
      const { width, height } = control.getBoundingClientRect();
      return `${control.id || control.textContent} ${Math.round(width)}x${Math.round(height)}`;
    }));
  assert.deepEqual(boxes.filter((box) => box.match(/(\d+)x(\d+)$/).slice(1).some((n) => n < 44)),
                   []);

  // The ring and the squares stand out in the system's colours.
  await page.emulateMedia({ forcedColors: 'active', colorScheme: 'light', contrast: null });
  await page.click('#map-button');
  const [ring, square, ground] = await page.evaluate(() => {
    const style = (selector) => getComputedStyle(document.querySelector(selector));
    return [style('#map .here').stroke, style('#map .square').stroke,
            style('#map').backgroundColor];
  });
  assert.ok(ring !== ground && square !== ground, `${ring} and ${square} on ${ground}`);
  assert.deepEqual(errors, []);
  await context.close();
});
