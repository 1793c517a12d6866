// Corvane in headless Chromium. The page plays the script that the headless
// host played (tests/web/WebReference.cpp) with the same pinned clock, and
// after every step its canvas must show exactly the headless host's picture.
// run.sh builds both and sets the folders that session.mjs reads.
import assert from 'node:assert/strict';
import path from 'node:path';
import { test } from 'node:test';
import { pathToFileURL } from 'node:url';
import {
  expectEnded, expectPicture, mouse, open, pageFolder, pinned, play, playSteps, running, script, session, step,
  TEST_TIME, touch,
} from './session.mjs';

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

test('a pinned time that is not whole seconds is refused', { timeout: TEST_TIME }, async () => {
  for (const bad of ['soon', '-5', '12.5', '1e9']) {
    const { context, page } = await open({}, `${session.base}?time=${encodeURIComponent(bad)}`);
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

test('opened as a file, with no server and no worker, the game plays', { timeout: TEST_TIME }, async () => {
  const { context, page, problems } = await open({}, `${pathToFileURL(path.join(pageFolder, 'index.html'))}${pinned}`);
  try {
    await running(page);
    await expectPicture(page, 'start', 'file-start');
    await play(page, mouse, step('stock'), 'file');
    assert.deepEqual(problems, []);
  } finally {
    await context.close();
  }
});

test('the browser\'s own gestures stay off the screen, and the page may still be zoomed', { timeout: TEST_TIME },
  async () => {
    const { context, page, problems } = await open({ viewport: { width: 390, height: 844 }, isMobile: true, hasTouch: true });
    try {
      await running(page);
      const seen = await page.evaluate(() => {
        const canvas = getComputedStyle(document.getElementById('screen'));
        const body = getComputedStyle(document.body);
        const root = getComputedStyle(document.documentElement);
        return {
          viewport: document.querySelector('meta[name="viewport"]').content,
          touchAction: canvas.touchAction,
          selectBody: body.userSelect,
          overscroll: [root.overscrollBehaviorY, body.overscrollBehaviorY],
          overflow: [root.overflow, body.overflow],
        };
      });
      assert.doesNotMatch(seen.viewport, /user-scalable|maximum-scale/);
      assert.deepEqual(seen, {
        viewport: seen.viewport, touchAction: 'none', selectBody: 'none',
        overscroll: ['none', 'none'], overflow: ['hidden', 'hidden'],
      });
      // A long press on the screen opens no menu.
      const prevented = await page.evaluate(() => {
        const event = new MouseEvent('contextmenu', { bubbles: true, cancelable: true });
        return !document.getElementById('screen').dispatchEvent(event);
      });
      assert.ok(prevented, 'the screen lets the browser open its menu');
      assert.deepEqual(problems, []);
    } finally {
      await context.close();
    }
  });
