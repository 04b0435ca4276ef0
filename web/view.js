// The picture's place on the page: its size, at the screen's pixel density;
// a finger on it as the left drag; the buttons that stand for keys; pause and
// fullscreen. page.js hands it each run's canvas (View.take), then the run
// (View.use), and hears of a pause
// (View.changed).
'use strict';
const View = (function () {
  const view = document.getElementById('view');
  const pause = document.getElementById('pause');
  const full = document.getElementById('full');
  const repeatdelay = 500, repeatperiod = 50;  // ms: a held button repeats as a held key does
  let run = null;  // the run drawing now: its module, once started; null once it ended
  let paused = matchMedia('(prefers-reduced-motion: reduce)').matches;
  let canvas = document.getElementById('canvas');  // each run's own, handed over (View.take)
  const api = {changed: () => {}, paused: () => paused};

  // The drawing buffer: the picture's size as the page's style sets it
  // (the largest square its room holds) × devicePixelRatio. The program
  // hears of it through the toolkit's reshape.
  function fit() {
    const pixels = Math.round(canvas.getBoundingClientRect().width * devicePixelRatio);
    if (canvas.width === pixels && canvas.height === pixels)
      return;
    if (run) {
      run.setCanvasSize(pixels, pixels);
      run._DrawAgain();  // a resized buffer is blank, paused or not
    } else {
      canvas.width = canvas.height = pixels;
    }
  }
  const resized = new ResizeObserver(fit);
  resized.observe(view);
  addEventListener('resize', fit);  // the pixel density too, as the page is zoomed

  // One finger on the picture drags as the left button does; no touch there
  // scrolls or zooms the page. These listeners come before the toolkit's
  // (passive, so unable to stop the page from scrolling), which never see
  // the touches.
  const mouse = {touchstart: 'mousedown', touchmove: 'mousemove', touchend: 'mouseup', touchcancel: 'mouseup'};
  let finger = null;  // the dragging touch's identifier
  for (const type in mouse)
    addEventListener(type, e => {
      if (e.target !== canvas)
        return;
      e.preventDefault();
      e.stopImmediatePropagation();
      const start = type === 'touchstart';
      const t = Array.from(e.changedTouches).find(t => start ? finger === null : t.identifier === finger);
      if (!t || (start && e.touches.length > 1))
        return;
      finger = start ? t.identifier : type === 'touchmove' ? finger : null;
      if (start)
        canvas.focus({preventScroll: true});
      canvas.dispatchEvent(new MouseEvent(mouse[type], {bubbles: true, cancelable: true, button: 0, buttons: finger === null ? 0 : 1,
        clientX: t.clientX, clientY: t.clientY, screenX: t.screenX, screenY: t.screenY}));
    }, {capture: true, passive: false});

  // The buttons with data-key: each hands the program its key as a key of
  // the user's keyboard would (the character, or the key's name; Shift where
  // the button says so); held, it repeats.
  function send(button, type) {
    canvas.dispatchEvent(new KeyboardEvent(type, {key: button.dataset.key, bubbles: true, cancelable: true,
                                                    shiftKey: 'shift' in button.dataset}));
  }
  let held = null;  // {button, timer} while one is held down
  function release() {
    if (!held)
      return;
    clearTimeout(held.timer);
    send(held.button, 'keyup');
    held = null;
  }
  const keys = document.getElementById('keys');
  keys.addEventListener('pointerdown', e => {
    const button = e.target.closest('button[data-key]');
    if (!button || e.button !== 0)
      return;
    e.preventDefault();  // the picture keeps the focus
    release();
    held = {button: button};
    const press = () => { send(button, 'keydown'); held.timer = setTimeout(press, repeatperiod); };
    send(button, 'keydown');
    held.timer = setTimeout(press, repeatdelay);
  });
  for (const type of ['pointerup', 'pointercancel'])
    addEventListener(type, release);
  keys.addEventListener('pointerout', e => { if (held && e.target === held.button) release(); });
  keys.addEventListener('click', e => {  // Enter or Space on a focused button
    const button = e.target.closest('button[data-key]');
    if (button && e.detail === 0) {
      send(button, 'keydown');
      send(button, 'keyup');
    }
  });

  // Pause holds the motion and the frames; the speeds are kept.
  function showPause() {
    pause.textContent = paused ? 'Resume' : 'Pause';
    pause.setAttribute('aria-pressed', String(paused));
  }
  pause.addEventListener('click', () => {
    paused = !paused;
    showPause();
    if (run)
      run._PausePage(paused);
    api.changed();
  });
  showPause();
  if (paused)  // the page moves only when asked to
    pause.scrollIntoView({block: 'nearest'});

  full.hidden = !document.fullscreenEnabled;
  full.addEventListener('click', () => {
    if (document.fullscreenElement)
      document.exitFullscreen();
    else
      view.requestFullscreen().catch(() => {});
  });
  document.addEventListener('fullscreenchange', () => {
    full.textContent = document.fullscreenElement ? 'Leave fullscreen' : 'Fullscreen';
    canvas.focus({preventScroll: true});
  });

  // A run, once its program has started: sized to the page, paused if the
  // page is, its first frame drawn either way. Once it has ended, nothing
  // here calls it again or keeps it (View.drop).
  api.drop = r => { if (run === r) run = null; };
  api.use = function (r) {
    run = r;
    fit();
    run._PausePage(paused);
    run._DrawAgain();
  };
  api.take = c => {  // the canvas of the run to come, before it starts
    canvas = c;
    fit();
  };
  return api;
})();
