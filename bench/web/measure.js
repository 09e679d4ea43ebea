'use strict';
// The web build's figures for the README: the gzipped size of the site's WebAssembly and
// JavaScript; the time from navigation to the title menu on screen in Debian's headless
// Chromium, over several loads, each with an empty cache; and the cost of a turn on the
// page, over turns 1-100 and over turns 5,901-6,000 of one long game: the time from the
// line sent to the frame that shows the answer, and the browser's style and layout time.
// Fails when the size is over its limit, or when late turns cost more than 1.5 times the
// early ones.
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
const kTurns = 6000;
const kWindow = 100;
const kLateTurnRatio = 1.5;
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

// Plays turns `from` to `to` (0: the title menu's choice) of a game that plays the tour
// over and over; returns, for each, the milliseconds from the line sent to the end of the
// frame that shows the answer (the answer laid out, painted and committed).
function playTurns(page, from, to) {
  return page.evaluate(async ({ lines, from, to }) => {
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
    // After the frame: a task posted from its animation callback runs once it is drawn.
    const frameDrawn = () => new Promise((resolve) => {
      requestAnimationFrame(() => setTimeout(resolve));
    });
    const results = [];
    for (let turn = from; turn < to; turn += 1) {
      const start = performance.now();
      const answered = waiting();
      input.value = turn === 0 ? '0' : lines[(turn - 1) % lines.length];
      input.form.requestSubmit();
      await answered;
      await frameDrawn();
      results.push(performance.now() - start);
      if (main.dataset.state === 'key') {
        const continued = waiting();
        document.getElementById('continue').click();
        await continued;
        await frameDrawn();
      }
    }
    return results;
  }, { lines: tour, from, to });
}

// The browser's style and layout time, in milliseconds, since it started.
async function layoutTime(cdp) {
  const { metrics } = await cdp.send('Performance.getMetrics');
  const value = (name) => metrics.find((metric) => metric.name === name).value;
  return (value('LayoutDuration') + value('RecalcStyleDuration')) * 1000;
}

// Turns 1-100 and turns kTurns-99 to kTurns of one game at a phone's size, each with the
// style and layout time of its window; then the milliseconds from a reload to that game
// resumed.
async function timeTurns(browser, url) {
  const page = await browser.newPage({ viewport: { width: 360, height: 640 } });
  const cdp = await page.context().newCDPSession(page);
  await cdp.send('Performance.enable');
  await page.goto(url);
  await page.locator('main[data-state="line"]').waitFor();
  const measure = async (from, to) => {
    const before = await layoutTime(cdp);
    const times = await playTurns(page, from, to);
    return { times, layout: ((await layoutTime(cdp)) - before) / (to - from) };
  };
  const early = await measure(0, kWindow + 1);
  early.times.shift();
  for (let turn = kWindow + 1; turn < kTurns - kWindow; turn += 500) {
    await playTurns(page, turn, Math.min(turn + 500, kTurns - kWindow));
  }
  const late = await measure(kTurns - kWindow, kTurns);
  const reloadStart = Date.now();
  await page.reload();
  await page.locator('main[data-state="line"]').waitFor();
  const resumed = Date.now() - reloadStart;
  await page.close();
  return { early, late, resumed };
}

// A first visit at 400 kbit/s with 400 ms of latency, with an empty cache: milliseconds
// to the first paint (which says the game is loading) and to the title menu on screen.
async function timeSlowFirstVisit(browser, url) {
  const context = await browser.newContext();
  const page = await context.newPage();
  const cdp = await context.newCDPSession(page);
  await cdp.send('Network.emulateNetworkConditions', {
    offline: false, latency: 400, downloadThroughput: 50000, uploadThroughput: 50000 });
  await page.goto(url, { waitUntil: 'commit' });
  await page.locator('main[data-state="line"]').waitFor({ timeout: 120000 });
  const [painted, ready] = await page.evaluate(() => [
    performance.getEntriesByName('first-contentful-paint')[0].startTime, performance.now()]);
  await context.close();
  return { painted, ready };
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

  const slow = await timeSlowFirstVisit(browser, server.url);
  console.log(`a first visit at 400 kbit/s and 400 ms: "Loading the game…" painted at ` +
              `${slow.painted.toFixed(0)} ms, the game ready at ${slow.ready.toFixed(0)} ms`);
  const { early, late, resumed } = await timeTurns(browser, server.url);
  await browser.close();
  server.close();
  const earlyTime = median(early.times);
  const lateTime = median(late.times);
  console.log(`a turn on the page, from the line sent to the answer drawn, median: ` +
              `${earlyTime.toFixed(1)} ms over turns 1-${kWindow}, ${lateTime.toFixed(1)} ms ` +
              `over turns ${kTurns - kWindow + 1}-${kTurns}; ` +
              `limit ${kLateTurnRatio} times the first`);
  console.log(`style and layout a turn: ${early.layout.toFixed(2)} ms over turns 1-${kWindow}, ` +
              `${late.layout.toFixed(2)} ms over turns ${kTurns - kWindow + 1}-${kTurns}`);
  console.log(`a reload at turn ${kTurns}, to the game resumed where it was: ${resumed} ms`);
  const lateTurnsFit = lateTime <= kLateTurnRatio * earlyTime &&
      late.layout <= kLateTurnRatio * Math.max(early.layout, 0.1);
  process.exitCode = total <= kSizeLimit && lateTurnsFit ? 0 : 1;
}

main().catch((error) => {
  console.error(error);
  process.exitCode = 2;
});
