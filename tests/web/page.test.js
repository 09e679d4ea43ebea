'use strict';
// The page played in Debian's headless Chromium at a phone's size, with the keyboard:
// a whole game, the key wait, the history of lines, and axe-core's accessibility rules.
// Usage: node page.test.js SITE_DIR WALKTHROUGH_INPUT
const assert = require('assert/strict');
const fs = require('fs');
const { test, before, after } = require('node:test');
const { chromium } = require('playwright-core');
const { serveFolder, kChromium } = require('./serve.js');

const [site, walkthrough] = process.argv.slice(2);
const kPhone = { width: 360, height: 640 };
const kTitleMenu = '3 - Quit Game';

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

// A fresh page at a phone's size, every address it asks for and every error it throws.
async function openPage() {
  const page = await browser.newPage({ viewport: kPhone });
  const requests = [];
  const errors = [];
  page.on('request', (request) => requests.push(request.url()));
  page.on('pageerror', (error) => errors.push(error.message));
  await page.goto(server.url);
  await waitForText(page, kTitleMenu);
  return { page, requests, errors };
}

const kPressAnyKey = 'Press any key to continue . . . ';

const logText = (page) => page.locator('#log').textContent();

// The game has taken every line sent and waits for the next, or for a key.
const whenIdle = (page) => page.locator('#log[aria-busy="false"]').waitFor();

function waitForText(page, text) {
  const shown = (wanted) => document.getElementById('log').textContent.includes(wanted);
  return page.waitForFunction(shown, text);
}

// The title menu alone: the screen was cleared before it.
async function assertTitleMenuAlone(page) {
  await whenIdle(page);
  const text = await logText(page);
  assert.ok(text.startsWith('Welcome') && !text.includes(kPressAnyKey), text);
}

async function typeLine(page, line) {
  await page.keyboard.type(line);
  await page.keyboard.press('Enter');
}

async function assertNoSidewaysScrolling(page) {
  const { scrollWidth, clientWidth } = await page.evaluate(() => {
    const { scrollWidth, clientWidth } = document.documentElement;
    return { scrollWidth, clientWidth };
  });
  assert.ok(scrollWidth <= clientWidth, `the page is ${scrollWidth} px wide in ${clientWidth}`);
}

async function assertAccessible(page, state) {
  await page.addScriptTag({ path: require.resolve('axe-core/axe.min.js') });
  const { violations } = await page.evaluate(() => window.axe.run());
  const found = violations.map((v) => `${v.id}: ${v.help} (${v.nodes.map((n) => n.target)})`);
  assert.deepEqual(found, [], `axe-core on ${state}`);
}

test('the walkthrough to the finale, then a new game without a reload', async () => {
  const { page, requests, errors } = await openPage();
  assert.equal(await page.evaluate(() => document.activeElement.id), 'command');
  await assertAccessible(page, 'the title menu');

  // Line by line, as a player would: the player dies once on the way, and a line typed
  // ahead of that wait would lose its first key to it, as on a terminal.
  const lines = fs.readFileSync(walkthrough, 'utf8').split('\n').slice(0, -1);
  for (const [index, line] of lines.entries()) {
    await whenIdle(page);
    if ((await logText(page)).endsWith(kPressAnyKey)) {
      await page.keyboard.press('Space');
      await whenIdle(page);
    }
    if (index === lines.length - 1) {
      const finale = await logText(page);
      assert.match(finale, /TO BE CONTINUED\.\.\./);
      // Each line is echoed after its prompt.
      assert.match(finale, />>i\nTower Key\n/);
      assert.ok(finale.endsWith('<Hit q to quit>\n>>'), finale.slice(-80));
      await assertNoSidewaysScrolling(page);
    }
    await typeLine(page, line);
  }
  await page.getByText('The game has ended.').waitFor();
  // Quitting clears the screen.
  assert.equal(await logText(page), '');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'new-game');
  await assertAccessible(page, 'the end of a game');

  // New game, and three lines sent in one go, before the game can take the first.
  await page.keyboard.press('Enter');
  await page.evaluate(() => {
    const input = document.getElementById('command');
    for (const line of ['0', 'n', 'i']) {
      input.value = line;
      input.form.requestSubmit();
    }
  });
  await whenIdle(page);
  // Echoed at once, as a terminal echoes what is typed ahead; answered in order.
  const house = 'You are in front of a house.\nThe door is locked.\n>>';
  const answers = `You are in a vast field[^>]*>>${house}\nYou have 10 HP left\n${house}`;
  assert.match(await logText(page), new RegExp(`^Welcome[^>]*>>0\nn\ni\n${answers}$`));
  assert.deepEqual(requests.filter((url) => !url.startsWith(server.url)), [],
                   'everything comes from the site folder');
  assert.deepEqual(errors, []);
  await page.close();
});

test('Controls waits for one key or a tap; colours, clearing and the line history', async () => {
  const { page, errors } = await openPage();
  const colours = await page.locator('#log').evaluate((log) => getComputedStyle(log).color);
  assert.equal(colours, 'rgb(85, 255, 85)');

  await typeLine(page, '1');
  await waitForText(page, kPressAnyKey);
  await page.keyboard.press('x');
  await assertTitleMenuAlone(page);
  // The key only continued: it was not typed.
  assert.equal(await page.inputValue('#command'), '');

  await typeLine(page, '1');
  await waitForText(page, kPressAnyKey);
  await page.mouse.click(kPhone.width / 2, kPhone.height - 10);
  await assertTitleMenuAlone(page);

  await page.keyboard.press('ArrowUp');
  assert.equal(await page.inputValue('#command'), '1');
  await page.keyboard.press('ArrowDown');
  assert.equal(await page.inputValue('#command'), '');

  await typeLine(page, '3');
  await page.getByText('The game has ended.').waitFor();
  assert.deepEqual(errors, []);
  await page.close();
});
