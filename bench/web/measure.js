'use strict';
// The web build's figures for the README: the gzipped size of the site's WebAssembly and
// JavaScript; the time from navigation to the title menu on screen in Debian's headless
// Chromium, over several loads, each with an empty cache; and the cost of a turn on the
// page, early in a long game and 3,000 turns in. Fails when the size is over its limit, or
// when late turns cost over their limits: the limits leave room for the machine's load.
//
// Usage: node bench/web/measure.js [BUILD_DIR]   (default build-web, after
// `cmake --workflow --preset web`, which installs playwright-core in that folder)
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');

const build = path.resolve(process.argv[2] || 'build-web');
const site = path.join(build, 'site');
const { chromium } = require(path.join(build, 'tests', 'web', 'node_modules', 'playwright-core'));
const { serveFolder, kChromium } = require('../../tests/web/serve.js');

const kSizeLimit = 150 * 1000;
const kStartupAim = 500;
const kLoads = 15;
const kTurns = 3000;
const kWindow = 100;
const kLateTurnLimit = 5;
const kLateTurnRatio = 2;
const tour = fs.readFileSync(path.join(__dirname, '..', 'tour.txt'), 'utf8').split('\n')
  .filter((line) => line !== '');

function gzippedSizes() {
  return fs.readdirSync(site).filter((name) => /\.(wasm|js)$/.test(name)).map((name) => {
    const bytes = fs.readFileSync(path.join(site, name));
    return { name, bytes: bytes.length, gzipped: zlib.gzipSync(bytes, { level: 9 }).length };
  });
}

// Milliseconds from the start of navigation to the frame that shows the title menu.
async function timeToTitleMenu(browser, url) {
  const context = await browser.newContext();
  const page = await context.newPage();
  await page.addInitScript(() => {
    new MutationObserver((changes, observer) => {
      const log = document.getElementById('log');
      if (log && log.textContent.includes('3 - Quit Game')) {
        observer.disconnect();
        requestAnimationFrame(() => { window.titleMenuShownAt = performance.now(); });
      }
    }).observe(document, { childList: true, subtree: true, characterData: true });
  });
  await page.goto(url);
  await page.waitForFunction(() => window.titleMenuShownAt !== undefined);
  const shownAt = await page.evaluate(() => window.titleMenuShownAt);
  await context.close();
  return shownAt;
}

// Milliseconds of main-thread work for each turn of a game that plays the tour over and
// over at a phone's size: from the line sent until the game waits again, plus the work of
// the frame that follows (the page's scrolling and the layout it needs). Paint is left out.
// Then the milliseconds from a reload to that game resumed.
async function timeTurns(browser, url) {
  const page = await browser.newPage({ viewport: { width: 360, height: 640 } });
  await page.goto(url);
  await page.locator('main[data-state="line"]').waitFor();
  const times = await page.evaluate(async ({ lines, turns }) => {
    const main = document.querySelector('main');
    const input = document.getElementById('command');
    const waiting = () => new Promise((resolve) => {
      const observer = new MutationObserver(() => {
        if (main.dataset.state !== 'busy') {
          observer.disconnect();
          resolve();
        }
      });
      observer.observe(main, { attributes: true, attributeFilter: ['data-state'] });
    });
    const frameStart = () => new Promise((resolve) => {
      requestAnimationFrame(() => resolve(performance.now()));
    });
    const results = [];
    for (let turn = 0; turn < turns; turn += 1) {
      // Called before the page asks for its frame, so it runs first in that frame.
      const before = frameStart();
      const start = performance.now();
      const answered = waiting();
      input.value = turn === 0 ? '0' : lines[(turn - 1) % lines.length];
      input.form.requestSubmit();
      await answered;
      const turnTime = performance.now() - start;
      const after = frameStart();
      const frameTime = (await after) - (await before);
      results.push(turnTime + frameTime);
      if (main.dataset.state === 'key') {
        const continued = waiting();
        document.getElementById('continue').click();
        await continued;
      }
    }
    return results;
  }, { lines: tour, turns: kTurns });
  // And the game resumed from its save, replayed whole.
  const reloadStart = Date.now();
  await page.reload();
  await page.locator('main[data-state="line"]').waitFor();
  const resumed = Date.now() - reloadStart;
  await page.close();
  return { times, resumed };
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

async function main() {
  const sizes = gzippedSizes();
  const total = sizes.reduce((sum, file) => sum + file.gzipped, 0);
  for (const { name, bytes, gzipped } of sizes) {
    console.log(`${name}: ${bytes} bytes, ${gzipped} gzipped`);
  }
  console.log(`wasm and JavaScript gzipped: ${total} bytes; limit ${kSizeLimit}`);

  const server = await serveFolder(site);
  const browser = await chromium.launch(kChromium);
  await timeToTitleMenu(browser, server.url);  // Chromium's own first start is not the page's
  const times = [];
  for (let load = 0; load < kLoads; load += 1) {
    times.push(await timeToTitleMenu(browser, server.url));
  }
  times.sort((a, b) => a - b);
  console.log(`navigation to the title menu on screen, ${kLoads} loads with an empty cache: ` +
              `median ${median(times).toFixed(0)} ms, best ${times[0].toFixed(0)} ms, ` +
              `worst ${times[times.length - 1].toFixed(0)} ms; aim ${kStartupAim} ms`);

  const { times: turns, resumed } = await timeTurns(browser, server.url);
  await browser.close();
  server.close();
  const early = median(turns.slice(0, kWindow));
  const late = median(turns.slice(-kWindow));
  console.log(`a turn on the page, median: ${early.toFixed(2)} ms over turns 1-${kWindow}, ` +
              `${late.toFixed(2)} ms over turns ${kTurns - kWindow + 1}-${kTurns}; ` +
              `limits ${kLateTurnLimit} ms and ${kLateTurnRatio} times the first`);
  console.log(`a reload at turn ${kTurns}, to the game resumed where it was: ${resumed} ms`);
  const lateTurnsFit = late <= kLateTurnLimit && late <= kLateTurnRatio * early;
  process.exitCode = total <= kSizeLimit && lateTurnsFit ? 0 : 1;
}

main().catch((error) => {
  console.error(error);
  process.exitCode = 2;
});
