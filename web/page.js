// Starts Corvane in the page and shows its screen scaled by a whole factor.
// When the program ends, the page says so and offers a new game: a tab
// cannot close itself. The body's data-state tells where things stand:
// loading, running, ended or failed.
'use strict';

(() => {
  const WIDTH = 240;
  const HEIGHT = 320;
  const stage = document.getElementById('stage');
  const notice = document.getElementById('notice');
  const noticeText = document.getElementById('notice-text');
  const newGame = document.getElementById('new-game');
  let canvas = null;

  const setState = (state) => {
    document.body.dataset.state = state;
  };

  // The largest whole factor that fits the window, at least 1.
  const fit = () => {
    if (!canvas)
      return;
    const factor = Math.max(1, Math.floor(Math.min(window.innerWidth / WIDTH, window.innerHeight / HEIGHT)));
    canvas.style.width = `${WIDTH * factor}px`;
    canvas.style.height = `${HEIGHT * factor}px`;
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

  const showNotice = (text, state, canRestart) => {
    stage.hidden = true;
    stage.replaceChildren();
    noticeText.textContent = text;
    newGame.hidden = !canRestart;
    notice.hidden = false;
    setState(state);
    if (canRestart)
      newGame.focus();
  };

  // Each game runs in a fresh instance of the module with a fresh canvas.
  const start = () => {
    let args;
    try {
      args = programArguments();
    } catch (error) {
      showNotice(error.message, 'failed', false);
      return;
    }
    canvas = document.createElement('canvas');
    canvas.id = 'screen';
    canvas.width = WIDTH;
    canvas.height = HEIGHT;
    stage.replaceChildren(canvas);
    stage.hidden = false;
    notice.hidden = true;
    setState('loading');
    fit();

    let over = false;
    const module = {
      canvas,
      arguments: args,
      print: (text) => console.log(text),
      printErr: (text) => console.error(text),
      onRuntimeInitialized: () => setState('running'),
      onExit: (status) => {
        if (status === 0)
          end('The game has ended.', 'ended');
        else
          end(`The game ended on an error (status ${status}).`, 'failed');
      },
      onAbort: (what) => end(`The game stopped on an error: ${what}`, 'failed'),
    };
    const end = (text, state) => {
      if (over)
        return;
      over = true;
      if (module.corvaneHost)
        module.corvaneHost.detach();
      canvas = null;
      showNotice(text, state, true);
    };
    try {
      createCorvane(module).catch((error) => end(`The game could not start: ${error}`, 'failed'));
    } catch (error) {
      end(`The game could not start: ${error}`, 'failed');
    }
  };

  newGame.addEventListener('click', start);
  window.addEventListener('resize', fit);
  start();
})();
