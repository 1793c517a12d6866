// What the browser tests share: the folders run.sh names, one Chromium for
// each test file, pages opened on a server of their own, and the headless
// host's pictures that a page's canvas is held against.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, before } from 'node:test';
import { chromium } from 'playwright-core';
import { serve } from '../../web/serve.mjs';
import { readPng } from './png.mjs';

function setting(name) {
  const value = process.env[name];
  if (!value)
    throw new Error(`${name} is not set: run tests/web/run.sh`);
  return value;
}

export const pageFolder = setting('CORVANE_WEB_PAGE');
export const referenceFolder = setting('CORVANE_WEB_REFERENCE');
export const outFolder = setting('CORVANE_WEB_OUT');
export const script = JSON.parse(fs.readFileSync(path.join(referenceFolder, 'script.json'), 'utf8'));
export const WIDTH = 240;
export const HEIGHT = 320;
export const TEST_TIME = 180_000;
export const pinned = `?time=${script.second}`;

export const session = { browser: null, server: null, base: '' };

// The server listens on a port the system picks, so that tests running at
// the same time on one machine never meet.
before(async () => {
  fs.mkdirSync(outFolder, { recursive: true });
  session.server = await serve(pageFolder);
  session.base = `http://127.0.0.1:${session.server.address().port}/`;
  // Playwright gives every launch a fresh user data folder and adds --headless.
  session.browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
      '--disable-sync', '--no-first-run'],
  });
});

after(async () => {
  await session.browser?.close();
  session.server?.close();
});

// Errors that a page reports and the page's own warnings, kept for the test
// to check. (Chromium warns of its own when a test reads the canvas often.)
export function watch(page) {
  const problems = [];
  const warnings = [];
  page.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
  page.on('console', (message) => {
    if (message.type() === 'error')
      problems.push(`console: ${message.text()}`);
    else if (message.type() === 'warning' && message.text().startsWith('Corvane'))
      warnings.push(message.text());
  });
  return { problems, warnings };
}

// A page of its own in a context of its own, with the clock pinned to the
// script's second unless another address is given. `init` (given `initArg`)
// runs in every page of the context before the page's own scripts.
export async function open(options = {}, address = session.base + pinned) {
  const { init, initArg, ...contextOptions } = options;
  const context = await session.browser.newContext({ viewport: { width: 720, height: 1000 }, ...contextOptions });
  if (init)
    await context.addInitScript(init, initArg);
  const page = await context.newPage();
  const { problems, warnings } = watch(page);
  await page.goto(address);
  return { context, page, problems, warnings };
}

export async function running(page) {
  await page.waitForSelector('body[data-state="running"]', { timeout: 20_000 });
}

// The screen as the canvas shows it, one pixel from each of its f x f
// blocks, as RGB; null while there is no canvas.
export async function canvasRgb(page) {
  const encoded = await page.evaluate(([width, height]) => {
    const canvas = document.getElementById('screen');
    if (!canvas || !canvas.dataset.scale)
      return null;
    const f = Number(canvas.dataset.scale);
    const data = canvas.getContext('2d').getImageData(Number(canvas.dataset.left), Number(canvas.dataset.top),
      width * f, height * f).data;
    let text = '';
    for (let y = 0; y < height; ++y) {
      for (let x = 0; x < width; ++x) {
        const i = (y * f * width * f + x * f) * 4;
        text += String.fromCharCode(data[i], data[i + 1], data[i + 2]);
      }
    }
    return { rgb: btoa(text) };
  }, [WIDTH, HEIGHT]);
  return encoded && { width: WIDTH, height: HEIGHT, rgb: Buffer.from(encoded.rgb, 'base64') };
}

function difference(want, got) {
  if (want.width !== got.width || want.height !== got.height)
    return { count: want.width * want.height, first: `the canvas is ${got.width} x ${got.height}` };
  let count = 0;
  let first = '';
  for (let i = 0; i < want.rgb.length; i += 3) {
    if (want.rgb[i] === got.rgb[i] && want.rgb[i + 1] === got.rgb[i + 1] && want.rgb[i + 2] === got.rgb[i + 2])
      continue;
    if (!count) {
      const p = i / 3;
      first = `first at (${p % want.width}, ${Math.floor(p / want.width)}): ` +
        `page ${[...got.rgb.subarray(i, i + 3)]}, headless ${[...want.rgb.subarray(i, i + 3)]}`;
    }
    ++count;
  }
  return { count, first };
}

export function reference(name) {
  return readPng(path.join(referenceFolder, `${name}.png`));
}

// Waits until the canvas shows the headless picture; the program may still be
// working through the input when this starts looking.
export async function expectPicture(page, name, label = name) {
  const want = reference(name);
  const deadline = Date.now() + 15_000;
  let diff = { count: -1, first: 'no canvas' };
  for (;;) {
    const got = await canvasRgb(page);
    if (got) {
      diff = difference(want, got);
      if (diff.count === 0)
        return;
    }
    if (Date.now() > deadline)
      break;
    await page.waitForTimeout(50);
  }
  const saved = path.join(outFolder, `${label}-page.png`);
  const url = await page.evaluate(() => document.getElementById('screen')?.toDataURL('image/png') ?? '');
  if (url)
    fs.writeFileSync(saved, Buffer.from(url.split(',')[1], 'base64'));
  assert.fail(`${label}: ${diff.count} pixels differ from ${name}.png of the headless host, ${diff.first}` +
    (url ? `; the page's picture is ${saved}` : ''));
}

// Screen pixel (x, y) as a point of the page, at the middle of the pixel.
async function pagePoint(page, pt) {
  const box = await page.locator('#screen').boundingBox();
  const view = await page.locator('#screen').evaluate((canvas) => ({
    ratio: canvas.width / canvas.getBoundingClientRect().width,
    f: Number(canvas.dataset.scale), left: Number(canvas.dataset.left), top: Number(canvas.dataset.top),
  }));
  return {
    x: box.x + (view.left + (pt.x + 0.5) * view.f) / view.ratio,
    y: box.y + (view.top + (pt.y + 0.5) * view.f) / view.ratio,
  };
}

export const mouse = {
  async tap(page, pt) {
    const p = await pagePoint(page, pt);
    await page.mouse.move(p.x, p.y);
    await page.mouse.down();
    await page.mouse.up();
  },
  async doubletap(page, pt) {
    const p = await pagePoint(page, pt);
    await page.mouse.move(p.x, p.y);
    await page.mouse.down();
    await page.mouse.up();
    await page.mouse.down({ clickCount: 2 });
    await page.mouse.up({ clickCount: 2 });
  },
};

export const touch = {
  async tap(page, pt) {
    const p = await pagePoint(page, pt);
    await page.touchscreen.tap(p.x, p.y);
  },
  async doubletap(page, pt) {
    await touch.tap(page, pt);
    await touch.tap(page, pt);
  },
};

export function step(name) {
  const found = script.steps.find((s) => s.name === name);
  assert.ok(found, `the script has no step ${name}`);
  return found;
}

export async function play(page, input, s, label) {
  for (const action of s.actions)
    await input[action.kind](page, action);
  await expectPicture(page, s.name, `${label}-${s.name}`);
}

export async function playSteps(page, input, steps, label) {
  for (const s of steps)
    await play(page, input, s, label);
}

export async function expectEnded(page) {
  await page.waitForSelector('body[data-state="ended"]', { timeout: 15_000 });
  assert.equal(await page.locator('#notice-text').textContent(), 'The game has ended.');
  assert.equal(await page.locator('#screen').count(), 0, 'the ended game still shows its screen');
  assert.ok(await page.locator('#new-game').isVisible(), 'no button for a new game');
}

// A copy of the page in a folder of its own, at `under` inside it, for tests
// that change or take away files.
export function copyPage(under = '') {
  const root = fs.mkdtempSync(path.join(os.tmpdir(), 'corvane-page-'));
  const folder = path.join(root, under);
  fs.mkdirSync(folder, { recursive: true });
  fs.cpSync(pageFolder, folder, { recursive: true });
  return { root, folder, remove: () => fs.rmSync(root, { recursive: true, force: true }) };
}
