// Measures the page in Chromium, as the README reports it: the bytes a first
// visit sends (compressed, as web/serve.mjs sends them), the time from
// navigation to the first frame, cold and offline, and the CPU an idle page
// takes. A benchmark: it prints, it asserts nothing.
//
//   node tests/web/measure.mjs [PAGE_FOLDER] [RUNS]   (default build/web/page, 11)
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';
import { chromium } from 'playwright-core';
import { serve } from '../../web/serve.mjs';

const [folder = 'build/web/page', runsText = '11'] = process.argv.slice(2);
const runs = Number(runsText);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const range = (values) => `${median(values).toFixed(0)} ms [${Math.min(...values).toFixed(0)}-${Math.max(...values).toFixed(0)}]`;

const server = await serve(folder);
const address = `http://127.0.0.1:${server.address().port}/`;
const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium', headless: true,
  args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update'],
});

// Navigation start to the first frame on the canvas, when the page turns to "running".
async function firstFrame(page) {
  await page.waitForSelector('body[data-state="running"]', { timeout: 30_000 });
  return page.evaluate(() => window.corvaneFirstFrame);
}
const noteFirstFrame = () => {
  new MutationObserver(() => {
    if (document.body?.dataset.state === 'running' && window.corvaneFirstFrame === undefined)
      window.corvaneFirstFrame = performance.now();
  }).observe(document, { attributes: true, subtree: true, attributeFilter: ['data-state'] });
};

const cold = [];
const offline = [];
let bytes = 0;
let files = 0;
for (let i = 0; i < runs; ++i) {
  const context = await browser.newContext();
  await context.addInitScript(noteFirstFrame);
  const page = await context.newPage();
  const cdp = await context.newCDPSession(page);
  await cdp.send('Network.enable');
  let sent = 0;
  let count = 0;
  cdp.on('Network.loadingFinished', (event) => {
    sent += event.encodedDataLength;
    ++count;
  });
  await page.goto(address);
  cold.push(await firstFrame(page));
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null, null, { timeout: 30_000 });
  await page.waitForTimeout(500);
  if (i === 0) {
    bytes = sent;
    files = count;
  }
  await context.setOffline(true);
  await page.reload();
  offline.push(await firstFrame(page));
  if (i === 0) {
    // An idle page: ten seconds without input.
    await cdp.send('Performance.enable');
    const metric = async () => (await cdp.send('Performance.getMetrics')).metrics
      .filter((m) => m.name === 'TaskDuration' || m.name === 'ScriptDuration')
      .reduce((all, m) => ({ ...all, [m.name]: m.value }), {});
    await page.waitForTimeout(1000);
    const before = await metric();
    await page.waitForTimeout(10_000);
    const afterIdle = await metric();
    console.log(`idle page over 10 s: tasks ${((afterIdle.TaskDuration - before.TaskDuration) * 1000).toFixed(1)} ms, ` +
      `script ${((afterIdle.ScriptDuration - before.ScriptDuration) * 1000).toFixed(1)} ms`);
  }
  await context.close();
}
// The worker fetches its own copy of every file, past the HTTP cache; its
// requests are not the page's, so they are counted from the files.
const copies = fs.readdirSync(folder).filter((name) => name !== 'sw.js').map((name) => {
  const data = fs.readFileSync(path.join(folder, name));
  return name.endsWith('.png') ? data.length : zlib.gzipSync(data, { level: 9 }).length;
});
console.log(`first visit: the page ${bytes} bytes in ${files} responses, compressed; ` +
  `the worker's copies ${copies.reduce((a, b) => a + b, 0)} bytes more`);
console.log(`navigation to first frame, cold: ${range(cold)}; offline: ${range(offline)} (${runs} runs)`);
await browser.close();
server.close();
