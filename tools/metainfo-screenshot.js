'use strict';
// Draws packaging/screenshot.png, the screenshot the AppStream metainfo shows: the page in
// Debian's headless Chromium, a few turns into a game, at the 16:9 size software centres
// show. Run it after the web workflow, with the page test's npm packages:
//   NODE_PATH=build-web/tests/web/node_modules node tools/metainfo-screenshot.js \
//       build-web/site packaging/screenshot.png
const { chromium } = require('playwright-core');
const { serveFolder, kChromium } = require('../tests/web/serve.js');

const [site, output] = process.argv.slice(2);

(async () => {
  const server = await serveFolder(site);
  const browser = await chromium.launch(kChromium);
  const page = await browser.newPage({ viewport: { width: 1024, height: 576 } });
  await page.goto(server.url);
  const whenWaiting = () => page.locator('main:not([data-state="busy"])').waitFor();
  await whenWaiting();
  for (const line of ['0', 'w', 'n', 'take', 'key', 'n', 'i']) {
    await page.keyboard.type(line);
    await page.keyboard.press('Enter');
    await whenWaiting();
  }
  await page.screenshot({ path: output });
  await browser.close();
  await server.close();
})();
