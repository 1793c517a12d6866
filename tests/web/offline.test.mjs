// The page as an app: it installs, plays with no network once it has been
// opened, from a folder below the site's root too, takes a new build when
// one is served, and says so when the program cannot be loaded.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { test } from 'node:test';
import { chromium } from 'playwright-core';
import { serve } from '../../web/serve.mjs';
import { writeWorker } from '../../web/precache.mjs';
import { decodePng } from './png.mjs';
import {
  copyPage, expectPicture, mouse, open, pinned, play, running, session, step, TEST_TIME, watch,
} from './session.mjs';

const TEMPLATE = new URL('../../web/sw.js', import.meta.url).pathname;

async function stop(server) {
  server.closeAllConnections();
  await new Promise((resolve) => server.close(resolve));
}

// The names of the page's caches, once the worker controls the page.
async function controlled(page) {
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null, null, { timeout: 20_000 });
  return page.evaluate(() => caches.keys());
}

test('offline under a sub-path, and a new build replaces the old one', { timeout: TEST_TIME }, async () => {
  const copy = copyPage('games/corvane');
  let server = await serve(copy.root);
  const port = server.address().port;
  const address = `http://127.0.0.1:${port}/games/corvane/${pinned}`;
  const { context, page, problems } = await open({}, address);
  try {
    await running(page);
    const [first] = await controlled(page);
    assert.match(first, /^corvane:http:\/\/127\.0\.0\.1:\d+\/games\/corvane\/:[0-9a-f]{16}$/);
    await play(page, mouse, step('stock'), 'offline');

    // No network and no server: the page and the kept game come back.
    await stop(server);
    await context.setOffline(true);
    await page.reload();
    await running(page);
    await expectPicture(page, 'stock', 'offline-reloaded');
    await play(page, mouse, step('select'), 'offline');

    // A new build on the same site: the worker takes it and drops the old cache.
    fs.appendFileSync(path.join(copy.folder, 'page.js'), "window.corvaneBuild = 'next';\n");
    const build = writeWorker(copy.folder, TEMPLATE);
    server = await serve(copy.root, port);
    await context.setOffline(false);
    await page.evaluate(async () => {
      const taken = new Promise((resolve) => {
        navigator.serviceWorker.addEventListener('controllerchange', resolve, { once: true });
      });
      await (await navigator.serviceWorker.getRegistration()).update();
      await taken;
    });
    await page.waitForFunction(async (name) => {
      const names = await caches.keys();
      return names.length === 1 && names[0].endsWith(`:${name}`);
    }, build, { timeout: 20_000 });
    await page.reload();
    await running(page);
    assert.equal(await page.evaluate(() => window.corvaneBuild), 'next');
    await expectPicture(page, 'select', 'offline-new-build');

    // And the new build is the one kept for the next time offline.
    await stop(server);
    await context.setOffline(true);
    await page.reload();
    await running(page);
    assert.equal(await page.evaluate(() => window.corvaneBuild), 'next');
    await expectPicture(page, 'select', 'offline-new-build-offline');
    assert.deepEqual(problems, []);
  } finally {
    await context.close();
    server.close();
    copy.remove();
  }
});

test('the page installs as an app with the board\'s colours and whole-factor icons', { timeout: TEST_TIME },
  async () => {
    // Chromium offers no install in a private window, as Playwright's own are.
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'corvane-profile-'));
    const context = await chromium.launchPersistentContext(profile, {
      executablePath: '/usr/bin/chromium', headless: true, args: ['--no-sandbox', '--disable-gpu'],
    });
    const page = context.pages()[0] ?? await context.newPage();
    const { problems } = watch(page);
    try {
      await page.goto(session.base + pinned);
      await running(page);
      await controlled(page);
      const cdp = await context.newCDPSession(page);
      const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
      assert.deepEqual(installabilityErrors, []);

      const manifest = await (await fetch(`${session.base}manifest.webmanifest`)).json();
      assert.equal(manifest.name, 'Corvane');
      assert.equal(manifest.display, 'standalone');
      assert.equal(manifest.orientation, 'portrait');
      assert.equal(manifest.background_color, '#00a000');
      assert.equal(manifest.theme_color, '#00a000');
      const sizes = manifest.icons.map((icon) => `${icon.sizes} ${icon.purpose}`).sort();
      assert.deepEqual(sizes, ['192x192 any', '512x512 any', '512x512 maskable']);
      for (const icon of manifest.icons) {
        const response = await fetch(new URL(icon.src, session.base));
        assert.equal(response.headers.get('content-type'), 'image/png');
        const png = decodePng(Buffer.from(await response.arrayBuffer()), icon.src);
        assert.equal(`${png.width}x${png.height}`, icon.sizes, icon.src);
        // A maskable icon is opaque to its corners, on the board's green.
        if (icon.purpose === 'maskable')
          assert.deepEqual([...png.rgb.subarray(0, 3)], [0, 160, 0], icon.src);
      }
      assert.deepEqual(problems, []);
    } finally {
      await context.close();
      fs.rmSync(profile, { recursive: true, force: true });
    }
  });

test('while the program loads the page says so; when it cannot, it says so and tries again', { timeout: TEST_TIME },
  async () => {
    for (const missing of ['corvane.wasm', 'corvane.js']) {
      const copy = copyPage();
      const kept = path.join(copy.root, `kept-${missing}`);
      fs.renameSync(path.join(copy.folder, missing), kept);
      const server = await serve(copy.root);
      // Held back until the page has been looked at while it loads.
      let release;
      const held = new Promise((resolve) => {
        release = resolve;
      });
      const context = await session.browser.newContext({ serviceWorkers: 'block' });
      try {
        const page = await context.newPage();
        await page.route('**/corvane.js', async (route) => {
          await held;
          await route.continue();
        });
        await page.goto(`http://127.0.0.1:${server.address().port}/${pinned}`, { waitUntil: 'domcontentloaded' });
        const status = page.getByRole('status');
        assert.equal(await status.textContent(), 'Loading Corvane…');
        assert.ok(await status.isVisible(), `${missing}: no loading status`);
        release();

        await page.waitForSelector('body[data-state="failed"]', { timeout: 20_000 });
        assert.equal(await page.locator('#notice-text').textContent(), 'Corvane could not be loaded.', missing);
        assert.equal(await status.isVisible(), false, `${missing}: still loading`);
        const retry = page.getByRole('button', { name: 'Try again' });
        assert.ok(await retry.isVisible(), `${missing}: no way to try again`);

        fs.renameSync(kept, path.join(copy.folder, missing));
        await retry.click();
        await running(page);
        await expectPicture(page, 'start', `retry-${missing}`);
      } finally {
        await context.close();
        server.close();
        copy.remove();
      }
    }
  });
