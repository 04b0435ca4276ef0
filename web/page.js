// Runs the viewer on this page: one instance of the WebAssembly program a
// run, on a fresh canvas, with the site's colours.txt or the user's own
// (read here, never sent), in the landscape's second (keep.js, handed to
// it as --at), its standard output on the page's console (console.js), the
// files it offers (a saved landscape) downloaded.
'use strict';
(function () {
  const state = document.getElementById('state');
  const again = document.getElementById('again');
  const picker = document.getElementById('ramp');
  let canvas = document.getElementById('canvas');
  let chosen = null;               // the user's colours.txt: {name, bytes}; null for the site's
  let latest = null;               // the latest run's instance, once made
  let queue = Promise.resolve();   // runs start one after another

  // The site's colours.txt as the program would find it in its folder: a
  // file, nothing, or a directory (which servers answer with a listing at
  // the name with a slash).
  async function siteRamp() {
    try {
      const r = await fetch('colours.txt', {cache: 'no-store'});
      if (!r.ok)
        return {kind: 'missing'};
      if (new URL(r.url).pathname.endsWith('/'))
        return {kind: 'directory'};
      return {kind: 'file', bytes: new Uint8Array(await r.arrayBuffer())};
    } catch (e) {
      return {kind: 'missing'};
    }
  }

  // Ends a run as Escape would: its exit handlers run and its listeners go.
  function stop(run) {
    try {
      if (run && !run.ended && run._EndRun)
        run._EndRun();
    } catch (e) {
      if (!e || e.name !== 'ExitStatus')
        throw e;
    }
  }

  // While a run starts (its main, from when colours.txt is written to its
  // first frame, in slices between the page's frames) what it adds to the
  // window and the document (the toolkit's listeners, emscripten's) is
  // recorded: such a listener holds the whole run, its memory included, and
  // goes when the run ends, however it ends.
  function record(run) {
    for (const target of [window, document])
      target.addEventListener = function (type, listener, options) {
        run.listeners.push([target, type, listener, options]);
        return EventTarget.prototype.addEventListener.call(target, type, listener, options);
      };
  }
  function recorded() {
    delete window.addEventListener;
    delete document.addEventListener;
  }
  function release(run) {
    run.ended = true;
    recorded();
    for (const [target, type, listener, options] of run.listeners.splice(0))
      target.removeEventListener(type, listener, options);
    clearTimeout(run.waiting);
    run.ctx?.getExtension('WEBGL_lose_context')?.loseContext();
    View.drop(run);
  }

  // The end of a run, however it ends (run null: none could start): one
  // plain line, and "Start again".
  const nowebgl = 'This browser cannot draw with WebGL, which Vellmoor needs. Turn on WebGL ' +
    '(or hardware acceleration) in its settings, then start again.';
  const unloaded = 'Vellmoor could not load its program from this site. Start again, or reload the page.';
  const broken = 'Vellmoor stopped: something went wrong inside it. Start again.';
  function failed(run, text) {
    const shown = !run || run === latest;
    if (run)
      release(run);
    if (!shown)
      return false;
    state.textContent = text;
    again.hidden = false;
    return true;
  }

  // What the run is doing, said only while it is so: "Flying." once a frame
  // has been drawn since it started, was paused or lost its context.
  function say() {
    const run = latest;
    if (!run || run.ended)
      return;
    state.textContent = run.lost ? 'The browser took the picture\'s WebGL context away; waiting for it to come back…'
      : View.paused() ? 'Paused.' : !run.drawing ? (run.drawn ? 'Resuming…' : 'Starting…')
      : !chosen ? 'Flying.' : run.rampDrawn ? 'Flying over your ' + chosen.name + '.'
      : 'Flying without your ' + chosen.name + ': the viewer did not use it (its line is below).';
  }
  View.changed = () => {
    if (latest)
      latest.drawing = false;
    say();
  };

  // A lost context comes back where the browser allows it: the same run then
  // draws on it again, its renderer started afresh.
  const patience = 15000;  // ms before a lost context is given up on
  function watch(run) {
    run.canvas.addEventListener('webglcontextlost', e => {
      if (run.ended)
        return;
      e.preventDefault();  // asks the browser to restore it
      run.lost = true;
      run.drawing = false;
      run.waiting = setTimeout(() => {
        stop(run);
        failed(run, 'The browser did not give the picture its WebGL context back.');
      }, patience);
      say();
    });
    run.canvas.addEventListener('webglcontextrestored', () => {
      clearTimeout(run.waiting);
      run.lost = false;
      if (!run.ended)
        run._ContextRestored();
      say();
    });
  }

  // The browser's first WebGL context starts its GPU side, which takes a
  // software renderer hundreds of ms: a worker makes one off the main thread
  // (warm.js) while the program loads, and the first run's main waits for
  // it (at most a few seconds; a browser without WebGL in workers answers at
  // once). The worker stays as long as the page (warm.js says why).
  const warming = 5000;  // ms
  let worker = null;  // held: a worker no one holds may be collected, its context with it
  const warm = new Promise(done => {
    try {
      worker = new Worker('warm.js');
      worker.onmessage = worker.onerror = done;
      setTimeout(done, warming);
    } catch (e) {
      done();  // no workers here
    }
  });

  async function begin() {
    stop(latest);
    latest = null;
    const fresh = canvas.cloneNode(false);  // a new WebGL context
    canvas.replaceWith(fresh);
    canvas = fresh;
    Terminal.clear();
    again.hidden = true;
    state.textContent = 'Starting…';
    // colours.txt comes while the program does; main waits for both
    const fetched = chosen ? Promise.resolve({kind: 'file', bytes: chosen.bytes}) : siteRamp();
    const run = {
      canvas: canvas,
      listeners: [],  // [target, type, listener, options] added to the window or document
      arguments: ['--at', String(Keep.second())],  // seconds since 1970, UTC: the landscape's
      stdout: Terminal.out,
      stderr: Terminal.err,
      preRun: [m => {  // main starts once the last dependency goes
        m.addRunDependency('colours.txt');
        Promise.all([fetched, warm]).then(([got]) => {
          if (run.ended)
            return;
          if (got.kind === 'file')
            m.FS.writeFile('colours.txt', got.bytes);
          else if (got.kind === 'directory')
            m.FS.mkdir('colours.txt');
          record(run);
          m.removeRunDependency('colours.txt');
        }).catch(e => {
          console.error(e);
          failed(run, broken);
        });
      }],
      onRuntimeInitialized: () => { run.started = true; },
      onFrame: () => {  // after each frame drawn
        if (!run.drawn)
          recorded();
        Keep.drawn(run.canvas);
        run.drawn = true;
        if (!run.drawing) {
          run.drawing = true;
          say();
        }
      },
      onOffer: path => {  // a file the run wrote for the user (F2, Save landscape): downloaded, then gone
        const bytes = run.FS.readFile(path);
        run.FS.unlink(path);
        const a = document.createElement('a');
        a.href = URL.createObjectURL(new Blob([bytes], {type: 'model/gltf-binary'}));
        a.download = path.split('/').pop();
        a.click();
        setTimeout(() => URL.revokeObjectURL(a.href), 60000);
      },
      onExit: status => {
        if (!run.ctx)  // the toolkit found no WebGL for the canvas
          failed(run, nowebgl);
        else if (failed(run, 'Vellmoor has ended' + (status ? ' (status ' + status + ').' : '.')))
          again.focus();
      },
      onAbort: what => {
        console.error(what);
        failed(run, run.started ? broken : unloaded);
      },
    };
    latest = run;
    watch(run);
    View.take(canvas);
    if (typeof Vellmoor !== 'function')
      return failed(run, unloaded);
    try {
      await Vellmoor(run);
    } catch (e) {
      return failed(run, run.started ? broken : unloaded);
    }
    if (run.ended)
      return;
    View.use(run);
    say();
    canvas.focus({preventScroll: true});
  }

  function start() {
    queue = queue.then(begin).catch(e => {
      console.error(e);
      failed(null, 'Vellmoor could not start. Start again, or reload the page.');
    });
  }

  async function use(file) {
    chosen = {name: file.name, bytes: new Uint8Array(await file.arrayBuffer())};
    start();
  }

  // Keys belong to the picture while it has the focus (the toolkit listens
  // on the whole window, after this); elsewhere the page keeps them, and
  // Tab always leaves the picture.
  for (const type of ['keydown', 'keyup'])
    window.addEventListener(type, e => { if (e.target !== canvas || e.key === 'Tab') e.stopImmediatePropagation(); }, true);
  // exit() ends a run by throwing out of the handler that called it.
  window.addEventListener('error', e => { if (e.error && e.error.name === 'ExitStatus') e.preventDefault(); });
  document.addEventListener('mousedown', e => { if (e.target === canvas) canvas.focus({preventScroll: true}); });

  picker.addEventListener('change', () => { if (picker.files.length) use(picker.files[0]); });
  document.addEventListener('dragover', e => { e.preventDefault(); document.body.classList.add('dropping'); });
  document.addEventListener('dragleave', () => document.body.classList.remove('dropping'));
  document.addEventListener('drop', e => {
    e.preventDefault();
    document.body.classList.remove('dropping');
    if (e.dataTransfer.files.length)
      use(e.dataTransfer.files[0]);
  });
  again.addEventListener('click', start);

  // The landscape: kept by Start again and a chosen colours.txt, another
  // for "New landscape" or an address with another second.
  document.getElementById('new').addEventListener('click', () => { Keep.fresh(); start(); });
  document.getElementById('save').addEventListener('click', () => {
    if (latest && !latest.ended)
      Keep.save(latest, chosen ? chosen.name : 'colours.txt');
  });
  document.getElementById('mesh').addEventListener('click', () => {
    if (latest && !latest.ended)
      latest._KeepLandscape();
  });
  addEventListener('hashchange', () => { if (Keep.moved()) { Keep.take(); start(); } });
  // The site kept for visits without the network, where the browser can.
  if ('serviceWorker' in navigator)
    navigator.serviceWorker.register('sw.js').catch(e => console.log('Not kept for offline use: ' + e));
  Keep.take();
  start();
})();
