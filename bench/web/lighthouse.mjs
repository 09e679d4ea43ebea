// Lighthouse 12 on the page, with its mobile preset (a mid-range phone on a slow 4G
// network, simulated), against Debian's headless Chromium, the site served compressed as
// tests/web/serve.js serves it. Prints each category's score and the page's metrics, the
// median of several runs; fails unless every category scores 100.
//
// Usage: node bench/web/lighthouse.mjs [BUILD_DIR]   (default build-web, after
// `cmake --workflow --preset web`; `npm ci` in bench/web installs Lighthouse)
import path from 'node:path';
import { createRequire } from 'node:module';
import lighthouse from 'lighthouse';
import * as chromeLauncher from 'chrome-launcher';

const require = createRequire(import.meta.url);
const { serveFolder, kChromium } = require('../../tests/web/serve.js');

const kRuns = 5;
const kCategories = ['performance', 'accessibility', 'best-practices', 'seo'];
const kMetrics = ['first-contentful-paint', 'largest-contentful-paint', 'total-blocking-time',
                  'cumulative-layout-shift', 'speed-index'];

const build = path.resolve(process.argv[2] || 'build-web');
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

const server = await serveFolder(path.join(build, 'site'));
const runs = [];
for (let run = 0; run < kRuns; run += 1) {
  // A new browser each run: an empty cache and no service worker, as on a first visit.
  const chrome = await chromeLauncher.launch({
    chromePath: kChromium.executablePath,
    chromeFlags: ['--headless=new', ...kChromium.args],
  });
  try {
    const { lhr } = await lighthouse(server.url, { port: chrome.port, logLevel: 'error' });
    runs.push(lhr);
  } finally {
    await chrome.kill();
  }
}
await server.close();

let perfect = true;
for (const category of kCategories) {
  const scores = runs.map((lhr) => Math.round(lhr.categories[category].score * 100));
  perfect &&= scores.every((score) => score === 100);
  console.log(`${category}: ${scores.join(', ')}`);
}
for (const metric of kMetrics) {
  const audit = runs[0].audits[metric];
  const value = median(runs.map((lhr) => lhr.audits[metric].numericValue));
  console.log(`${audit.title}: median ${value.toFixed(metric.includes('layout') ? 3 : 0)}` +
              `${audit.numericUnit === 'millisecond' ? ' ms' : ''}`);
}
console.log(`this machine's benchmark index (Lighthouse's CPU figure; it warns below 1000): ` +
            `${runs.map((lhr) => lhr.environment.benchmarkIndex).join(', ')}`);
for (const lhr of runs) {
  const failed = Object.values(lhr.audits)
    .filter((audit) => audit.score !== null && audit.score < 0.9 &&
                       audit.scoreDisplayMode !== 'informative')
    .map((audit) => `${audit.id} (${audit.displayValue || audit.score})`);
  if (failed.length > 0) {
    console.log(`below 0.9: ${failed.join(', ')}`);
  }
}
process.exitCode = perfect ? 0 : 1;
