'use strict';
// The web build's figures for the README: the gzipped size of the site's WebAssembly and
// JavaScript, and the time from navigation to the title menu on screen in Debian's
// headless Chromium, over several loads, each with an empty cache. Fails only when the
// size is over its limit: timings move with the machine's load.
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
  await browser.close();
  server.close();
  times.sort((a, b) => a - b);
  const median = times[Math.floor(times.length / 2)];
  console.log(`navigation to the title menu on screen, ${kLoads} loads with an empty cache: ` +
              `median ${median.toFixed(0)} ms, best ${times[0].toFixed(0)} ms, ` +
              `worst ${times[times.length - 1].toFixed(0)} ms; aim ${kStartupAim} ms`);
  process.exitCode = total <= kSizeLimit ? 0 : 1;
}

main().catch((error) => {
  console.error(error);
  process.exitCode = 2;
});
