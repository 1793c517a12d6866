// The screen as large as fits and sharp at every device pixel ratio: in the
// page's screenshot (the device's own pixels) each game pixel must be one
// f x f block of the headless host's colour, f the largest whole factor that
// fits the viewport, and a tap there must act on what that pixel shows.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import { decodePng } from './png.mjs';
import {
  expectPicture, HEIGHT, open, reference, running, step, TEST_TIME, WIDTH,
} from './session.mjs';

const BACKGROUND = [0x1b, 0x1b, 0x1b];

function expectedScale(viewport, ratio) {
  const width = Math.floor(viewport.width * ratio);
  const height = Math.floor(viewport.height * ratio);
  return Math.max(1, Math.floor(Math.min(width / WIDTH, height / HEIGHT)));
}

// Where the screen is in the screenshot: everything that is not the page's
// own background. Then every device pixel of it against the picture.
// Playwright's own screenshot puts back its emulated viewport; one taken
// through `cdp` leaves a ratio set there as it is.
async function expectBlocks(page, name, f, label, cdp = null) {
  const png = cdp ? Buffer.from((await cdp.send('Page.captureScreenshot', { format: 'png' })).data, 'base64')
    : await page.screenshot();
  const shot = decodePng(png, `${label} screenshot`);
  let left = shot.width;
  let top = shot.height;
  let right = -1;
  let bottom = -1;
  for (let y = 0; y < shot.height; ++y) {
    for (let x = 0; x < shot.width; ++x) {
      const i = (y * shot.width + x) * 3;
      if (shot.rgb[i] === BACKGROUND[0] && shot.rgb[i + 1] === BACKGROUND[1] && shot.rgb[i + 2] === BACKGROUND[2])
        continue;
      left = Math.min(left, x);
      right = Math.max(right, x);
      top = Math.min(top, y);
      bottom = Math.max(bottom, y);
    }
  }
  assert.deepEqual([right - left + 1, bottom - top + 1], [WIDTH * f, HEIGHT * f],
    `${label}: the screen covers ${right - left + 1} x ${bottom - top + 1} device pixels, not ${f} times the screen`);
  const want = reference(name);
  let wrong = 0;
  let first = '';
  for (let y = 0; y < HEIGHT * f; ++y) {
    for (let x = 0; x < WIDTH * f; ++x) {
      const got = ((top + y) * shot.width + left + x) * 3;
      const at = (Math.floor(y / f) * WIDTH + Math.floor(x / f)) * 3;
      if (shot.rgb[got] === want.rgb[at] && shot.rgb[got + 1] === want.rgb[at + 1] &&
        shot.rgb[got + 2] === want.rgb[at + 2])
        continue;
      if (!wrong)
        first = `first at device pixel (${x}, ${y}) of the screen`;
      ++wrong;
    }
  }
  assert.equal(wrong, 0, `${label}: ${wrong} device pixels are not their game pixel's colour, ${first}`);
  return { left, top };
}

// A tap at the middle of game pixel pt, found from the screenshot alone.
async function tapAt(page, origin, f, ratio, pt, touch) {
  const x = (origin.left + (pt.x + 0.5) * f) / ratio;
  const y = (origin.top + (pt.y + 0.5) * f) / ratio;
  if (touch)
    await page.touchscreen.tap(x, y);
  else
    await page.mouse.click(x, y);
}

const VIEWPORTS = [
  { name: 'phone portrait', width: 390, height: 844, phone: true },
  { name: 'phone landscape', width: 844, height: 390, phone: true },
  { name: 'desktop landscape', width: 1280, height: 800, phone: false },
  { name: 'desktop portrait', width: 800, height: 1180, phone: false },
];
const RATIOS = [1, 1.5, 2, 2.625, 3];

test('every game pixel is one whole block of device pixels, and taps land on it', { timeout: 10 * TEST_TIME },
  async () => {
    for (const viewport of VIEWPORTS) {
      for (const ratio of RATIOS) {
        const label = `${viewport.name} at ${ratio}`;
        const { context, page, problems } = await open({
          viewport: { width: viewport.width, height: viewport.height },
          deviceScaleFactor: ratio,
          isMobile: viewport.phone,
          hasTouch: viewport.phone,
        });
        try {
          await running(page);
          await expectPicture(page, 'start', label);
          const f = expectedScale(viewport, ratio);
          const origin = await expectBlocks(page, 'start', f, label);
          for (const name of ['stock', 'select']) {
            await tapAt(page, origin, f, ratio, step(name).actions[0], viewport.phone);
            await expectPicture(page, name, `${label} ${name}`);
          }
          assert.deepEqual(problems, [], label);
        } finally {
          await context.close();
        }
      }
    }
  });

test('the screen follows a rotation and a zoom', { timeout: TEST_TIME }, async () => {
  const phone = { width: 390, height: 844 };
  const turned = { width: 844, height: 390 };
  const { context, page, problems } = await open({ viewport: phone, deviceScaleFactor: 3, isMobile: true, hasTouch: true });
  try {
    await running(page);
    await expectBlocks(page, 'start', expectedScale(phone, 3), 'portrait');
    await page.setViewportSize(turned);
    await page.waitForFunction((f) => document.getElementById('screen').dataset.scale === String(f),
      expectedScale(turned, 3));
    await expectBlocks(page, 'start', expectedScale(turned, 3), 'landscape');
  } finally {
    await context.close();
  }
  assert.deepEqual(problems, []);

  // A zoom to 150 % of a 1280 x 800 window: fewer CSS pixels, each of them
  // larger, and the same device pixels, which the screen must fill exactly.
  const desktop = await open({ viewport: { width: 1280, height: 800 } });
  try {
    await running(desktop.page);
    const zoomed = { width: 853, height: 533 };
    const cdp = await desktop.context.newCDPSession(desktop.page);
    await cdp.send('Emulation.setDeviceMetricsOverride', { ...zoomed, deviceScaleFactor: 1.5, mobile: false });
    await desktop.page.waitForFunction(() => window.devicePixelRatio === 1.5 && window.innerWidth === 853);
    await desktop.page.waitForFunction((w) => document.getElementById('screen').width === w,
      Math.round(zoomed.width * 1.5));
    const origin = await expectBlocks(desktop.page, 'start', expectedScale(zoomed, 1.5), 'zoomed', cdp);
    assert.equal(await desktop.page.evaluate(() => window.devicePixelRatio), 1.5, 'the zoom did not last');
    await tapAt(desktop.page, origin, expectedScale(zoomed, 1.5), 1.5, step('stock').actions[0], false);
    await expectPicture(desktop.page, 'stock', 'zoomed stock');
    assert.deepEqual(desktop.problems, []);
  } finally {
    await desktop.context.close();
  }
});
