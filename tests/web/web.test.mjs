// Corvane in headless Chromium. The page plays the script that the headless
// host played (tests/web/WebReference.cpp) with the same pinned clock, and
// after every step its canvas must show exactly the headless host's picture.
// run.sh builds both and sets the folders below.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { chromium } from 'playwright-core';
import { serve } from '../../web/serve.mjs';
import { readPng } from './png.mjs';

function setting(name) {
  const value = process.env[name];
  if (!value)
    throw new Error(`${name} is not set: run tests/web/run.sh`);
  return value;
}

const pageFolder = setting('CORVANE_WEB_PAGE');
const referenceFolder = setting('CORVANE_WEB_REFERENCE');
const outFolder = setting('CORVANE_WEB_OUT');
const script = JSON.parse(fs.readFileSync(path.join(referenceFolder, 'script.json'), 'utf8'));
const WIDTH = 240;
const HEIGHT = 320;
const TEST_TIME = 180_000;

let server;
let browser;
let base;

before(async () => {
  fs.mkdirSync(outFolder, { recursive: true });
  server = await serve(pageFolder);
  base = `http://127.0.0.1:${server.address().port}/`;
  // Playwright gives every launch a fresh user data folder and adds --headless.
  browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
      '--disable-sync', '--no-first-run'],
  });
});

after(async () => {
  await browser?.close();
  server?.close();
});

// A page of its own, with the clock pinned to the script's second. Errors
// that the page reports are collected for the test to check.
async function open(options = {}, query = `?time=${script.second}`) {
  const context = await browser.newContext({ viewport: { width: 720, height: 1000 }, ...options });
  const page = await context.newPage();
  const problems = [];
  page.on('pageerror', (error) => problems.push(`page error: ${error.message}`));
  page.on('console', (message) => {
    if (message.type() === 'error')
      problems.push(`console: ${message.text()}`);
  });
  await page.goto(base + query);
  return { context, page, problems };
}

// The canvas's own pixels as RGB, or null while there is no canvas.
async function canvasRgb(page) {
  const encoded = await page.evaluate(() => {
    const canvas = document.getElementById('screen');
    if (!canvas)
      return null;
    const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    let text = '';
    for (let i = 0; i < data.length; i += 4)
      text += String.fromCharCode(data[i], data[i + 1], data[i + 2]);
    return { width: canvas.width, height: canvas.height, rgb: btoa(text) };
  });
  return encoded && { width: encoded.width, height: encoded.height, rgb: Buffer.from(encoded.rgb, 'base64') };
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

// Waits until the canvas shows the headless picture; the program may still be
// working through the input when this starts looking.
async function expectPicture(page, name, label = name) {
  const want = readPng(path.join(referenceFolder, `${name}.png`));
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
  return { x: box.x + (pt.x + 0.5) * box.width / WIDTH, y: box.y + (pt.y + 0.5) * box.height / HEIGHT };
}

const mouse = {
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

const touch = {
  async tap(page, pt) {
    const p = await pagePoint(page, pt);
    await page.touchscreen.tap(p.x, p.y);
  },
  async doubletap(page, pt) {
    await touch.tap(page, pt);
    await touch.tap(page, pt);
  },
};

async function playSteps(page, input, steps, label) {
  for (const step of steps) {
    for (const action of step.actions)
      await input[action.kind](page, action);
    await expectPicture(page, step.name, `${label}-${step.name}`);
  }
}

async function expectEnded(page) {
  await page.waitForSelector('body[data-state="ended"]', { timeout: 15_000 });
  assert.equal(await page.locator('#notice-text').textContent(), 'The game has ended.');
  assert.equal(await page.locator('#screen').count(), 0, 'the ended game still shows its screen');
  assert.ok(await page.locator('#new-game').isVisible(), 'no button for a new game');
}

test('the mouse plays the script as the headless host does, and the game ends on Exit and on close',
  { timeout: TEST_TIME }, async () => {
    const { context, page, problems } = await open();
    try {
      await playSteps(page, mouse, script.steps, 'mouse');
      assert.equal(await page.title(), 'Corvane');
      assert.match(await page.locator('link[rel~="icon"]').getAttribute('href'), /^data:image\/png;base64,/);

      // Exit: the headless host declined, so that it could go on; the page says Yes.
      await mouse.tap(page, script.exitButton);
      await expectPicture(page, 'exit-question', 'mouse-exit-question');
      await mouse.tap(page, script.exitYes);
      await expectEnded(page);

      // A new game is a fresh program with the same pinned clock.
      await page.locator('#new-game').click();
      await page.waitForSelector('body[data-state="running"]');
      await expectPicture(page, 'start', 'mouse-new-game');

      await mouse.tap(page, script.closeButton);
      await expectEnded(page);
      assert.deepEqual(problems, []);
    } finally {
      await context.close();
    }
  });

test('touch plays as the mouse does, double taps included', { timeout: TEST_TIME }, async () => {
  const { context, page, problems } = await open({ hasTouch: true });
  try {
    const upToHome = script.steps.slice(0, script.steps.findIndex((s) => s.name === 'home') + 1);
    assert.ok(upToHome.some((s) => s.actions.some((a) => a.kind === 'doubletap')), 'the script has no double tap');
    await playSteps(page, touch, upToHome, 'touch');
    assert.deepEqual(problems, []);
  } finally {
    await context.close();
  }
});

test('the screen is scaled by the largest whole factor that fits, pixel sharp', { timeout: TEST_TIME }, async () => {
  const { context, page, problems } = await open();
  try {
    await expectPicture(page, 'start', 'scaled-start');
    const shown = async () => page.locator('#screen').evaluate((canvas) => {
      const r = canvas.getBoundingClientRect();
      return { width: r.width, height: r.height, rendering: getComputedStyle(canvas).imageRendering };
    });
    assert.deepEqual(await shown(), { width: 720, height: 960, rendering: 'pixelated' });
    await page.setViewportSize({ width: 500, height: 700 });
    await page.waitForFunction(() => document.getElementById('screen').getBoundingClientRect().width === 480);
    assert.deepEqual(await shown(), { width: 480, height: 640, rendering: 'pixelated' });
    await page.setViewportSize({ width: 200, height: 300 });
    await page.waitForFunction(() => document.getElementById('screen').getBoundingClientRect().width === 240);
    assert.deepEqual(await shown(), { width: 240, height: 320, rendering: 'pixelated' });

    // Taps land on the same screen pixels at any scale.
    await page.setViewportSize({ width: 500, height: 700 });
    await page.waitForFunction(() => document.getElementById('screen').getBoundingClientRect().width === 480);
    await playSteps(page, mouse, script.steps.slice(1, 2), 'scaled');
    assert.deepEqual(problems, []);
  } finally {
    await context.close();
  }
});

test('a pinned time that is not whole seconds is refused', { timeout: TEST_TIME }, async () => {
  for (const bad of ['soon', '-5', '12.5', '1e9']) {
    const { context, page } = await open({}, `?time=${encodeURIComponent(bad)}`);
    try {
      await page.waitForSelector('body[data-state="failed"]');
      assert.match(await page.locator('#notice-text').textContent(), /whole seconds since 1970/);
      assert.equal(await page.locator('#screen').count(), 0);
      assert.equal(await page.locator('#new-game').isVisible(), false);
    } finally {
      await context.close();
    }
  }
});
