// The browser host's JavaScript side, which the linker takes in
// (--js-library): CWebBackend calls these functions as extern "C".
//
// The input queue, the record and the listeners hang off Module.corvaneHost.
// The page may set Module.corvaneKept (a record to play back, { entries,
// screen, now }) and Module.corvaneKeeper ({ save(kept), clear(), tooLong(),
// live(), replayFailed(why) }).
//
// Input reaches the program only through corvane_web_wait, when it has
// nothing else to do; CWebBackend::PollEvent never has any. So what the
// program is given is the sequence of its waits' answers and of its deals'
// seconds, whatever the number of times it looked in between, and that is
// the record: a list of entries, each an array of whole numbers:
//   [1, now] or [1, now, kind, x, y, time]   a wait: a timeout, or an event
//   [2, second, now, quiet]                  a deal read this second; quiet
//                                            is 1 when the program's next wait
//                                            had no deadline, 0 if it had, -1
//                                            until then
// The program's clock runs on performance.now() plus an offset, so that it
// goes on from where a kept game left it.
//
// A wait's answer goes into the program's RawEvent: kind (0 press, 1
// release, 2 move), x, y and time, then the clock when it was given.

mergeInto(LibraryManager.library, {
  corvane_web_has_canvas: function() {
    const canvas = Module['canvas'];
    return canvas && typeof canvas.getContext === 'function' ? 1 : 0;
  },

  corvane_web_attach: function() {
    const canvas = Module['canvas'];
    const kept = Module['corvaneKept'] || null;
    const keeper = Module['corvaneKeeper'] || null;
    // Far more than a long game between two deals takes.
    const LIMIT = 200000;
    const host = {
      queue: [], wake: null, pointer: null, lastPoint: null, context: null, frame: null,
      record: [], lastDeal: -1, trimPending: false, unkept: false,
      replay: kept ? kept.entries : null, at: 0,
      offset: 0, now: 0, live: false, sleeping: false, failed: false, ended: false, dirty: false, saveTimer: null
    };
    Module['corvaneHost'] = host;
    const u32 = (t) => Math.floor(t) >>> 0;
    host.clock = () => performance.now() + host.offset;
    host.now = host.replay ? host.replay[0][2] : u32(host.clock());

    // The canvas holds the device's own pixels; the screen is drawn into it
    // f times enlarged at (left, top), f the largest whole factor that fits.
    const view = { f: 1, left: 0, top: 0 };
    host.view = view;
    const screenPoint = (e) => {
      const r = canvas.getBoundingClientRect();
      const sx = r.width > 0 ? canvas.width / r.width : 1;
      const sy = r.height > 0 ? canvas.height / r.height : 1;
      return [Math.floor(((e.clientX - r.left) * sx - view.left) / view.f),
              Math.floor(((e.clientY - r.top) * sy - view.top) / view.f)];
    };
    const onScreen = (pt) => pt[0] >= 0 && pt[1] >= 0 && pt[0] < (host.frame ? host.frame.width : 240) &&
                             pt[1] < (host.frame ? host.frame.height : 320);
    // The event's own time, so that a double tap is judged by when the
    // presses happened rather than by when the program got round to them.
    const stamp = (e) => {
      const now = performance.now();
      return u32((e.timeStamp > 0 && e.timeStamp <= now ? e.timeStamp : now) + host.offset);
    };
    const push = (kind, e, pt) => {
      if (host.replay || host.failed || host.ended)
        return;
      const [x, y] = pt || screenPoint(e);
      // A move to where the stylus already is tells the program nothing.
      if (kind === 2 && host.lastPoint && host.lastPoint[0] === x && host.lastPoint[1] === y)
        return;
      host.lastPoint = [x, y];
      const ev = { kind: kind, x: x, y: y, time: stamp(e) };
      const last = host.queue.length ? host.queue[host.queue.length - 1] : null;
      if (kind === 2 && last && last.kind === 2)
        host.queue[host.queue.length - 1] = ev;
      else
        host.queue.push(ev);
      if (host.wake)
        host.wake();
    };

    // One stylus: the primary pointer's main button, mouse or touch alike.
    // A mouse that rests over a button shows its tooltip, so its moves count
    // while it is up too, where they are on the screen.
    const down = (e) => {
      if (host.pointer !== null || !e.isPrimary || e.button !== 0)
        return;
      e.preventDefault();
      // Beside the screen is no stylus, as on the handheld's bezel.
      const pt = screenPoint(e);
      if (!onScreen(pt))
        return;
      host.pointer = e.pointerId;
      try {
        canvas.setPointerCapture(e.pointerId);
      } catch (err) {
      }
      push(0, e, pt);
    };
    // A cancelled touch or a lost capture lifts the stylus as well, so that
    // nothing in the program waits for a release that never comes.
    const up = (e) => {
      if (host.pointer === null || e.pointerId !== host.pointer)
        return;
      e.preventDefault();
      host.pointer = null;
      push(1, e);
    };
    const move = (e) => {
      if (host.pointer !== null) {
        if (e.pointerId === host.pointer)
          push(2, e);
      } else if (e.pointerType === 'mouse' && e.isPrimary) {
        const pt = screenPoint(e);
        if (onScreen(pt))
          push(2, e, pt);
      }
    };
    const noMenu = (e) => e.preventDefault();

    const listeners = [
      ['pointerdown', down], ['pointerup', up], ['pointercancel', up], ['lostpointercapture', up],
      ['pointermove', move], ['contextmenu', noMenu]
    ];
    listeners.forEach((l) => canvas.addEventListener(l[0], l[1]));
    canvas.style.touchAction = 'none';

    // FNV-1a over the screen's pixels: what the player saw when the game was kept.
    host.screenHash = () => {
      if (!host.frame)
        return 0;
      const words = new Uint32Array(HEAPU8.buffer, host.frame.rgba, host.frame.width * host.frame.height);
      let h = 0x811c9dc5;
      for (let i = 0; i < words.length; ++i)
        h = Math.imul(h ^ words[i], 0x01000193);
      return h >>> 0;
    };
    // The screen's own pixels go into a canvas of its size, and from there,
    // enlarged by nearest neighbour, into the page's.
    const source = document.createElement('canvas');
    const sourceContext = source.getContext('2d');
    const paint = (x, y, w, h) => {
      if (!host.context) {
        host.context = canvas.getContext('2d', { alpha: false });
        host.context.imageSmoothingEnabled = false;
      }
      host.context.drawImage(source, x, y, w, h, view.left + x * view.f, view.top + y * view.f, w * view.f, h * view.f);
    };
    host.draw = (x, y, w, h) => {
      const f = host.frame;
      if (source.width !== f.width || source.height !== f.height) {
        source.width = f.width;
        source.height = f.height;
      }
      const pixels = new Uint8ClampedArray(HEAPU8.buffer, f.rgba, f.width * f.height * 4);
      sourceContext.putImageData(new ImageData(pixels, f.width, f.height), 0, 0, x, y, w, h);
      paint(x, y, w, h);
    };
    // The page's canvas has a new size in device pixels: the whole screen again.
    const layout = () => {
      const width = Math.max(1, canvas.width);
      const height = Math.max(1, canvas.height);
      const sw = host.frame ? host.frame.width : 240;
      const sh = host.frame ? host.frame.height : 320;
      view.f = Math.max(1, Math.floor(Math.min(width / sw, height / sh)));
      view.left = Math.max(0, Math.floor((width - sw * view.f) / 2));
      view.top = Math.max(0, Math.floor((height - sh * view.f) / 2));
      canvas.dataset.scale = String(view.f);
      canvas.dataset.left = String(view.left);
      canvas.dataset.top = String(view.top);
      host.context = null;
    };
    host.resize = (width, height) => {
      canvas.width = width;
      canvas.height = height;
      layout();
      host.repaint();
    };
    host.repaint = () => {
      if (!host.context) {
        host.context = canvas.getContext('2d', { alpha: false });
        host.context.imageSmoothingEnabled = false;
      }
      host.context.fillStyle = getComputedStyle(document.body).backgroundColor;
      host.context.fillRect(0, 0, canvas.width, canvas.height);
      if (host.frame && !host.replay && !host.failed && source.width)
        paint(0, 0, host.frame.width, host.frame.height);
    };
    layout();
    const size = Module['corvaneSize'] ? Module['corvaneSize']() : null;
    if (size)
      host.resize(size.width, size.height);

    const remember = (entry) => {
      host.record.push(entry.slice());
      host.dirty = true;
      if (host.record.length > LIMIT && !host.unkept) {
        // Unkept until a deal that the record may start from.
        host.record = [];
        host.lastDeal = -1;
        host.unkept = true;
        if (keeper)
          keeper.tooLong();
      }
    };
    host.remember = remember;
    const trim = () => {
      host.record = host.record.slice(host.lastDeal);
      host.lastDeal = 0;
      host.trimPending = false;
      host.unkept = false;
    };
    host.keepFromLastDeal = () => {
      const deal = host.lastDeal >= 0 ? host.record[host.lastDeal] : null;
      if (!deal)
        return;
      if (deal[3] === 1)
        trim();
      else if (deal[3] === -1)
        host.trimPending = true;
    };
    // The program's first wait after a deal tells whether a timer was pending then.
    const noteWait = (hasDeadline) => {
      const deal = host.lastDeal >= 0 ? host.record[host.lastDeal] : null;
      if (!deal || deal[3] !== -1)
        return;
      deal[3] = hasDeadline ? 0 : 1;
      if (host.trimPending && deal[3] === 1)
        trim();
      host.trimPending = false;
    };
    host.noteWait = noteWait;

    host.fail = (why) => {
      if (host.failed)
        return;
      host.failed = true;
      host.replay = null;
      if (keeper)
        keeper.replayFailed(why);
    };
    // The next recorded answer, which must be of the kind the program asks for.
    const NAMES = { 1: 'a wait', 2: 'a deal' };
    host.next = (call) => {
      const e = host.replay[host.at];
      if (!e) {
        host.fail('the record ends where the program asks for ' + NAMES[call]);
        return null;
      }
      if (e[0] !== call) {
        host.fail('entry ' + host.at + ' answers ' + NAMES[e[0]] + ' where the program asks for ' + NAMES[call]);
        return null;
      }
      ++host.at;
      remember(e);
      return e;
    };
    // The record has been played through: the screen must be the one that was
    // kept, and the program goes on live, its clock from where it was left.
    host.finishReplay = () => {
      if (host.screenHash() !== kept.screen) {
        host.fail('the screen it leads to is not the one that was kept');
        return false;
      }
      host.replay = null;
      host.offset = Math.max(kept.now, host.now) - performance.now();
      host.repaint();
      if (host.frame)
        host.draw(0, 0, host.frame.width, host.frame.height);
      return true;
    };
    host.give = (e, out) => {
      host.now = e[1];
      const at = out >> 2;
      HEAPU32[at + 4] = e[1];
      if (e.length < 6)
        return 0;
      HEAP32[at] = e[2];
      HEAP32[at + 1] = e[3];
      HEAP32[at + 2] = e[4];
      HEAPU32[at + 3] = e[5];
      return 1;
    };
    host.answer = (out, timedOut, deadline) => {
      const ev = host.queue.shift();
      let now = u32(host.clock());
      // A timer may fire a moment early: the program must find it due.
      if (timedOut && !ev && ((now - deadline) | 0) < 0)
        now = deadline >>> 0;
      const e = ev ? [1, now, ev.kind, ev.x, ev.y, Math.min(ev.time, now) >>> 0] : [1, now];
      remember(e);
      return host.give(e, out);
    };
    host.save = () => {
      if (host.saveTimer !== null) {
        clearTimeout(host.saveTimer);
        host.saveTimer = null;
      }
      if (!keeper || !host.dirty || !host.sleeping || host.replay || host.failed || host.ended || host.unkept)
        return;
      host.dirty = false;
      keeper.save({ entries: host.record, screen: host.screenHash(), now: u32(host.clock()) });
    };
    host.detach = () => {
      listeners.forEach((l) => canvas.removeEventListener(l[0], l[1]));
      host.ended = true;
      host.wake = null;
      if (host.saveTimer !== null)
        clearTimeout(host.saveTimer);
      host.queue.length = 0;
      host.pointer = null;
    };
  },

  corvane_web_detach: function() {
    const host = Module['corvaneHost'];
    if (host)
      host.detach();
  },

  corvane_web_start_clock: function() {
    return Module['corvaneHost'].now;
  },

  corvane_web_deal_seconds: function(live) {
    const host = Module['corvaneHost'];
    let second = live;
    if (host.failed)
      return live;
    if (host.replay) {
      const e = host.next(2);
      if (!e)
        return live;
      second = e[1];
    } else {
      if (host.unkept)
        host.record = [];
      host.remember([2, live, host.now, -1]);
    }
    host.lastDeal = host.record.length - 1;
    host.trimPending = false;
    return second;
  },

  corvane_web_keep_from_last_deal: function() {
    Module['corvaneHost'].keepFromLastDeal();
  },

  // Suspends the program (Asyncify) until input arrives or the deadline
  // passes; without a deadline it waits for input alone, and the page then
  // idles. While a record plays back, or when an answer is already there, it
  // returns at once. A record that failed to play back leaves the program
  // asleep for good: the page starts a fresh one. The program resumes inside
  // the browser's callback, where its exit() unwinds by throwing ExitStatus
  // after the page has been told: that is the end of the run, not an error.
  // CMake lists this function among Asyncify's imports.
  corvane_web_wait__deps: ['$Asyncify'],
  corvane_web_wait: function(hasDeadline, deadline, out) {
    const host = Module['corvaneHost'];
    const never = () => Asyncify.handleSleep(() => {});
    if (host.failed)
      return never();
    if (host.replay && host.at < host.replay.length) {
      const e = host.next(1);
      if (!e)
        return never();
      host.noteWait(hasDeadline);
      return host.give(e, out);
    }
    if (host.replay && !host.finishReplay())
      return never();
    if (!host.live) {
      // The first frame is on the canvas: the page may show it.
      host.live = true;
      if (Module['corvaneKeeper'])
        Module['corvaneKeeper'].live();
    }
    host.noteWait(hasDeadline);
    if (host.queue.length)
      return host.answer(out, false, 0);
    return Asyncify.handleSleep((wakeUp) => {
      let timer = null;
      const resume = (timedOut) => {
        host.wake = null;
        host.sleeping = false;
        if (timer !== null)
          clearTimeout(timer);
        try {
          wakeUp(host.answer(out, timedOut, deadline));
        } catch (e) {
          if (!e || e.name !== 'ExitStatus')
            throw e;
        }
      };
      host.sleeping = true;
      host.wake = () => resume(false);
      if (host.dirty && host.saveTimer === null)
        host.saveTimer = setTimeout(host.save, 300);
      if (hasDeadline)
        timer = setTimeout(() => resume(true), Math.max(0, ((deadline >>> 0) - (Math.floor(host.clock()) >>> 0)) | 0));
    });
  },

  corvane_web_blit: function(rgba, width, height, x, y, w, h) {
    // Kept whole, so that the screen can be shown and compared once a record
    // has played back without being seen.
    const host = Module['corvaneHost'];
    host.frame = { rgba: rgba, width: width, height: height };
    if (!host.replay && !host.failed)
      host.draw(x, y, w, h);
  },

  corvane_web_set_title: function(title) {
    document.title = UTF8ToString(title);
  },

  corvane_web_set_icon: function(rgba, width, height) {
    const picture = document.createElement('canvas');
    picture.width = width;
    picture.height = height;
    const pixels = new Uint8ClampedArray(HEAPU8.buffer, rgba, width * height * 4);
    picture.getContext('2d').putImageData(new ImageData(pixels.slice(), width, height), 0, 0);
    let link = document.querySelector('link[rel~="icon"]');
    if (!link) {
      link = document.createElement('link');
      link.rel = 'icon';
      document.head.appendChild(link);
    }
    link.type = 'image/png';
    link.href = picture.toDataURL('image/png');
  }
});
