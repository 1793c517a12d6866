// Starts Corvane in the page, in a canvas that the host fills with the screen
// as large as fits, every pixel one square block of the device's, and keeps
// the game across reloads until the program itself ends. When the program ends, the page says
// so and offers a new game: a tab cannot close itself. The body's data-state
// tells where things stand: loading, running, ended or failed.
'use strict';

(() => {
  const stage = document.getElementById('stage');
  const status = document.getElementById('status');
  const notice = document.getElementById('notice');
  const noticeText = document.getElementById('notice-text');
  const newGame = document.getElementById('new-game');
  let canvas = null;

  const setState = (state) => {
    document.body.dataset.state = state;
    status.hidden = state !== 'loading';
  };

  // The canvas's size in device pixels, as the browser lays it out: the host
  // draws the screen into it by the largest whole factor that fits. A resize,
  // a rotation and a zoom (a new device pixel ratio) all change it.
  let size = null;
  const observer = new ResizeObserver((entries) => {
    const entry = entries[entries.length - 1];
    const device = entry.devicePixelContentBoxSize?.[0];
    const box = entry.contentBoxSize?.[0];
    const ratio = window.devicePixelRatio || 1;
    size = { width: Math.round(box.inlineSize * ratio), height: Math.round(box.blockSize * ratio) };
    // The browser's own count is exact where it has one; an emulated ratio
    // (as in test browsers) may leave it in CSS pixels.
    if (device && Math.abs(device.inlineSize - size.width) <= 1 && Math.abs(device.blockSize - size.height) <= 1)
      size = { width: device.inlineSize, height: device.blockSize };
    current?.corvaneHost?.resize(size.width, size.height);
  });
  const observe = () => {
    observer.disconnect();
    try {
      observer.observe(canvas, { box: 'device-pixel-content-box' });
    } catch {
      observer.observe(canvas);
    }
  };

  // For tests only: ?time=SECONDS pins the program's clock, so the deal is known.
  const programArguments = () => {
    const time = new URLSearchParams(window.location.search).get('time');
    if (time === null)
      return [];
    if (!/^[0-9]{1,12}$/.test(time))
      throw new Error(`The time in the address must be whole seconds since 1970, not "${time}".`);
    return ['--time', time];
  };

  // The kept game, in the page's own storage, one for each folder the page is
  // served from. Storage that is full or refused leaves the game unkept.
  const keeper = (() => {
    const VERSION = 1;
    const key = `corvane.game:${new URL('.', window.location.href).pathname}`;
    let warned = false;
    const warnOnce = (text) => {
      if (!warned)
        console.warn(text);
      warned = true;
    };
    const whole = (n) => Number.isInteger(n) && n >= 0 && n <= 0xffffffff;
    const coordinate = (n) => Number.isInteger(n) && Math.abs(n) <= 0x7fffffff;
    const readable = (entry) => {
      if (!Array.isArray(entry) || !entry.every(Number.isFinite))
        return false;
      if (entry[0] === 2)
        return entry.length === 4 && whole(entry[1]) && whole(entry[2]) && [-1, 0, 1].includes(entry[3]);
      if (entry[0] !== 1)
        return false;
      if (entry.length === 2)
        return whole(entry[1]);
      return entry.length === 6 && whole(entry[1]) && [0, 1, 2].includes(entry[2]) && coordinate(entry[3]) &&
        coordinate(entry[4]) && whole(entry[5]);
    };
    // Why a kept game cannot be used, or null when it can.
    const fault = (kept) => {
      if (!kept || typeof kept !== 'object')
        return 'it is not a kept game';
      if (kept.version !== VERSION)
        return `it was kept by another version (${JSON.stringify(kept.version)}, this is ${VERSION})`;
      if (!Array.isArray(kept.entries) || !kept.entries.length || !kept.entries.every(readable))
        return 'its record is damaged';
      if (kept.entries[0][0] !== 2)
        return 'its record does not begin with a deal';
      if (!whole(kept.screen) || !whole(kept.now))
        return 'its screen or clock is missing';
      return null;
    };
    const drop = () => {
      try {
        localStorage.removeItem(key);
      } catch {
        // Nothing was kept where nothing can be.
      }
    };
    return {
      load() {
        let text;
        try {
          text = localStorage.getItem(key);
        } catch (error) {
          warnOnce(`Corvane: this browser refuses the page's storage (${error.message}); the game will not be kept.`);
          return null;
        }
        if (text === null)
          return null;
        let kept = null;
        let why;
        try {
          kept = JSON.parse(text);
          why = fault(kept);
        } catch {
          why = 'it is not readable';
        }
        if (why) {
          console.warn(`Corvane: the kept game cannot be used, since ${why}; a new game starts.`);
          drop();
          return null;
        }
        return kept;
      },
      save(kept) {
        try {
          localStorage.setItem(key, JSON.stringify({ version: VERSION, ...kept }));
        } catch (error) {
          warnOnce(`Corvane: the game cannot be kept in this browser's storage (${error.message}); it plays on unkept.`);
        }
      },
      replayFailed(why) {
        console.warn(`Corvane: the kept game did not play back (${why}); a new game starts.`);
        drop();
      },
      tooLong() {
        console.warn('Corvane: this game has grown too long to keep; it is kept again from its next deal.');
        drop();
      },
      clear: drop,
    };
  })();

  const showNotice = (text, state, button) => {
    stage.hidden = true;
    stage.replaceChildren();
    noticeText.textContent = text;
    newGame.hidden = !button;
    if (button)
      newGame.textContent = button;
    notice.hidden = false;
    setState(state);
    if (button)
      newGame.focus();
  };

  const loadScript = (name) => new Promise((resolve, reject) => {
    const script = document.createElement('script');
    script.src = name;
    script.onload = resolve;
    script.onerror = () => {
      script.remove();
      reject(new Error(`${name} could not be fetched`));
    };
    document.head.appendChild(script);
  });

  // corvane.js, loaded once; a failed load is tried afresh on the next start.
  // A page opened as a file cannot fetch corvane.wasm: it loads it as a script.
  const fromFile = window.location.protocol === 'file:';
  let program = null;
  const loadProgram = () => {
    if (!program) {
      program = (async () => {
        if (fromFile && window.corvaneWasm === undefined)
          await loadScript('corvane-wasm.js');
        if (typeof window.createCorvane !== 'function')
          await loadScript('corvane.js');
        if (typeof window.createCorvane !== 'function')
          throw new Error('corvane.js holds no program');
        return window.createCorvane;
      })();
      program.catch(() => {
        program = null;
      });
    }
    return program;
  };
  const wasmBinary = () => (fromFile ? Uint8Array.from(atob(window.corvaneWasm), (c) => c.charCodeAt(0)) : undefined);

  let current = null;
  const saveCurrent = () => current?.corvaneHost?.save();

  // Each game runs in a fresh instance of the module with a fresh canvas; a
  // kept game is played back in it first.
  const start = (kept = keeper.load()) => {
    let args;
    try {
      args = programArguments();
    } catch (error) {
      showNotice(error.message, 'failed', null);
      return;
    }
    canvas = document.createElement('canvas');
    canvas.id = 'screen';
    stage.replaceChildren(canvas);
    stage.hidden = false;
    notice.hidden = true;
    setState('loading');
    size = null;
    observe();

    let over = false;
    let initialized = false;
    let live = false;
    const module = {
      canvas,
      arguments: args,
      corvaneKept: kept,
      corvaneSize: () => size,
      print: (text) => console.log(text),
      printErr: (text) => console.error(text),
      onRuntimeInitialized: () => {
        initialized = true;
      },
      onExit: (status) => {
        if (kept && !live)
          restart('the program ended while it played back');
        else if (status === 0)
          end('The game has ended.', 'ended', 'New game');
        else
          end(`The game ended on an error (status ${status}).`, 'failed', 'New game');
      },
      onAbort: (what) => {
        if (!initialized)
          loadFailed();
        else if (kept && !live)
          restart(`the program stopped: ${what}`);
        else
          end(`The game stopped on an error: ${what}`, 'failed', 'New game');
      },
    };
    module.corvaneKeeper = {
      ...keeper,
      live: () => {
        live = true;
        setState('running');
      },
      replayFailed: (why) => {
        keeper.replayFailed(why);
        restart(null);
      },
    };
    // A game that does not play back is dropped, and a fresh one starts.
    const restart = (why) => {
      if (over)
        return;
      if (why)
        keeper.replayFailed(why);
      over = true;
      module.corvaneHost?.detach();
      start(null);
    };
    const end = (text, state, button) => {
      if (over)
        return;
      over = true;
      module.corvaneHost?.detach();
      keeper.clear();
      canvas = null;
      current = null;
      showNotice(text, state, button);
    };
    const loadFailed = () => {
      if (over)
        return;
      over = true;
      module.corvaneHost?.detach();
      canvas = null;
      current = null;
      showNotice('Corvane could not be loaded.', 'failed', 'Try again');
    };
    current = module;
    loadProgram()
      .then((create) => {
        if (fromFile)
          module.wasmBinary = wasmBinary();
        return create(module);
      })
      .catch((error) => {
        console.warn(`Corvane: ${error?.message ?? error}`);
        loadFailed();
      });
  };

  newGame.addEventListener('click', () => start());
  // The kept game is written when the page is left, whatever comes next.
  document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'hidden')
      saveCurrent();
  });
  window.addEventListener('pagehide', saveCurrent);

  // Offline play where the browser allows it (not from file://, nor over
  // plain http from another host): the game runs the same without.
  if ('serviceWorker' in navigator && window.isSecureContext) {
    navigator.serviceWorker.register('sw.js').catch((error) => {
      console.info(`Corvane will not play offline here: ${error.message}`);
    });
  }
  start();
})();
