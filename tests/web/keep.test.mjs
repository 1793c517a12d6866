// The page keeps the game until the program ends: after a reload, or the
// page closed and opened again, the canvas shows exactly what the headless
// host showed at that point of the script, and the game plays on from there.
// A kept game that cannot be used gives one message and a fresh game;
// storage that is refused or full leaves the game playable.
import assert from 'node:assert/strict';
import { test } from 'node:test';
import {
  canvasRgb, expectEnded, expectPicture, mouse, open, pinned, play, running, script, session, step, TEST_TIME, watch,
} from './session.mjs';

// Where the page keeps the game when it is served from the site's root.
const KEY = 'corvane.game:/';

async function kept(page) {
  return page.evaluate((key) => localStorage.getItem(key), KEY);
}

test('the game comes back after every step, questions and the About dialog open included', { timeout: TEST_TIME },
  async () => {
    let { context, page, problems, warnings } = await open();
    const seen = { problems: [], warnings: [] };
    const collect = () => {
      seen.problems.push(...problems);
      seen.warnings.push(...warnings);
    };
    // Every other time the page is closed and opened anew instead of reloaded.
    let again = 0;
    const comeBack = async (name) => {
      if (++again % 2) {
        await page.reload();
      } else {
        collect();
        await page.close();
        ({ page, problems, warnings } = await reopen(context));
      }
      await running(page);
      await expectPicture(page, name, `kept-${name}`);
    };
    try {
      await running(page);
      for (const s of script.steps) {
        await play(page, mouse, s, 'kept');
        await comeBack(s.name);
      }
      // The Exit question comes back too; Yes ends the program and the kept game.
      await mouse.tap(page, script.exitButton);
      await expectPicture(page, 'exit-question', 'kept-exit-question');
      await comeBack('exit-question');
      await mouse.tap(page, script.exitYes);
      await expectEnded(page);
      assert.equal(await kept(page), null, 'the ended game is still kept');
      await page.reload();
      await running(page);
      await expectPicture(page, 'start', 'kept-after-exit');
      collect();
      assert.deepEqual(seen.problems, []);
      assert.deepEqual(seen.warnings, []);
    } finally {
      await context.close();
    }
  });

async function reopen(context) {
  const page = await context.newPage();
  const { problems, warnings } = watch(page);
  await page.goto(session.base + pinned);
  return { page, problems, warnings };
}

// A real kept game, after the stock has been turned once.
async function keptAfterStock() {
  const { context, page } = await open();
  try {
    await running(page);
    await play(page, mouse, step('stock'), 'source');
    // Written once the page has been idle a moment: with the stock's press.
    await page.waitForFunction((key) => {
      const text = localStorage.getItem(key);
      return text && JSON.parse(text).entries.some((e) => e[0] === 1 && e[2] === 0);
    }, KEY);
    return JSON.parse(await kept(page));
  } finally {
    await context.close();
  }
}

test('a kept game that cannot be used gives one message and a fresh game', { timeout: TEST_TIME }, async () => {
  const real = await keptAfterStock();
  assert.equal(real.version, 1);
  const otherSecond = structuredClone(real);
  otherSecond.entries[0][1] += 1;
  const BAD = [
    { name: 'not readable', text: '{"version": 1, "entries": [', says: /not readable/ },
    { name: 'another version', text: JSON.stringify({ ...real, version: 2 }), says: /another version/ },
    { name: 'a damaged record', text: JSON.stringify({ ...real, entries: [[2, 'x', 0, 1]] }), says: /damaged/ },
    { name: 'no deal first', text: JSON.stringify({ ...real, entries: real.entries.slice(1) }), says: /deal/ },
    { name: 'another screen', text: JSON.stringify({ ...real, screen: (real.screen ^ 1) >>> 0 }),
      says: /did not play back.*screen/ },
    { name: 'another deal', text: JSON.stringify(otherSecond), says: /did not play back/ },
    { name: 'a record cut short', text: JSON.stringify({ ...real, entries: real.entries.slice(0, 2) }),
      says: /did not play back/ },
  ];
  for (const bad of BAD) {
    // Planted before the page's first load only, as a browser would hold it.
    const { context, page, problems, warnings } = await open({
      init: ([key, text]) => {
        if (!sessionStorage.getItem('planted')) {
          sessionStorage.setItem('planted', '1');
          localStorage.setItem(key, text);
        }
      },
      initArg: [KEY, bad.text],
    });
    try {
      await running(page);
      await expectPicture(page, 'start', `bad-${bad.name}`);
      assert.equal(warnings.length, 1, `${bad.name}: ${JSON.stringify(warnings)}`);
      assert.match(warnings[0], /^Corvane: the kept game/, bad.name);
      assert.match(warnings[0], bad.says, bad.name);
      assert.deepEqual(problems, [], bad.name);
      // The fresh game plays, and the bad one is not brought back.
      await play(page, mouse, step('stock'), `bad-${bad.name}`);
      await page.reload();
      await running(page);
      await expectPicture(page, 'stock', `bad-${bad.name}-reloaded`);
      assert.equal(warnings.length, 1, `${bad.name}: a second message ${JSON.stringify(warnings)}`);
    } finally {
      await context.close();
    }
  }
});

test('storage that is refused or full leaves the game playable', { timeout: TEST_TIME }, async () => {
  const REFUSALS = [
    { name: 'refused', calls: ['getItem', 'setItem', 'removeItem'], error: 'SecurityError' },
    { name: 'full', calls: ['setItem'], error: 'QuotaExceededError' },
  ];
  for (const refusal of REFUSALS) {
    const { context, page, problems, warnings } = await open({
      initArg: refusal,
      init: ({ calls, error }) => {
        for (const call of calls) {
          Object.defineProperty(Storage.prototype, call, {
            value() {
              throw new DOMException(`the test says no to ${call}`, error);
            },
          });
        }
      },
    });
    try {
      await running(page);
      for (const name of ['stock', 'select', 'move'])
        await play(page, mouse, step(name), `storage-${refusal.name}`);
      await page.waitForTimeout(500);
      assert.deepEqual(problems, [], refusal.name);
      assert.equal(warnings.length, 1, `${refusal.name}: ${JSON.stringify(warnings)}`);
      assert.match(warnings[0], /not be kept|cannot be kept/, refusal.name);
    } finally {
      await context.close();
    }
  }
});

// The kept record's entries, once the page has written one with `deals`
// deals that starts after the clock reading `after`.
async function keptEntries(page, deals, after = -1) {
  try {
    await page.waitForFunction(([key, n, t]) => {
      const text = localStorage.getItem(key);
      const entries = text ? JSON.parse(text).entries : [];
      return entries.filter((e) => e[0] === 2).length === n && entries[0][2] > t;
    }, [KEY, deals, after], { timeout: 5_000 });
  } catch {
    assert.fail(`no record of ${deals} deals starting after ${after} was kept: ${await kept(page)}`);
  }
  return JSON.parse(await kept(page)).entries;
}

// Taps and waits until the canvas shows something else.
async function tapAndWait(page, pt) {
  const before = (await canvasRgb(page)).rgb;
  await mouse.tap(page, pt);
  for (let i = 0; i < 100 && (await canvasRgb(page)).rgb.equals(before); ++i)
    await page.waitForTimeout(50);
}

test('the kept record starts again at a deal once nothing before it can matter', { timeout: TEST_TIME },
  async () => {
    // The pinned second deals the same game every time, so pictures of the
    // script's first steps hold for the games dealt here.
    const dealButton = step('deal-question').actions[0];
    const dealYes = step('dealt').actions[0];
    const { context, page, problems } = await open();
    try {
      await running(page);
      await play(page, mouse, step('stock'), 'trim');
      // Undo is available across this deal: the game before it still matters.
      await tapAndWait(page, dealButton);
      await mouse.tap(page, dealYes);
      await expectPicture(page, 'dealt', 'trim-dealt');
      assert.equal((await keptEntries(page, 2))[0][0], 2);
      // The first move of the new game writes Undo's snapshot anew.
      await play(page, mouse, step('stock'), 'trim-again');
      const fromDeal = await keptEntries(page, 1);
      assert.equal(fromDeal[0][0], 2, 'the record does not start with the deal');
      await page.reload();
      await running(page);
      await expectPicture(page, 'stock', 'trim-reloaded');
      // Undo then takes back the stock's turn of the new game.
      await mouse.tap(page, step('undo').actions[0]);
      await expectPicture(page, 'start', 'trim-undone');
      // With Undo used up, a deal is where the record starts at once.
      await tapAndWait(page, dealButton);
      await mouse.tap(page, dealYes);
      await expectPicture(page, 'start', 'trim-dealt-again');
      await keptEntries(page, 1, fromDeal[fromDeal.length - 1][1]);
      await page.reload();
      await running(page);
      await expectPicture(page, 'start', 'trim-dealt-again-reloaded');
      assert.deepEqual(problems, []);
    } finally {
      await context.close();
    }
  });
