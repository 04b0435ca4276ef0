// Runs the viewer on this page: one instance of the WebAssembly program a
// run, on a fresh canvas, with the site's colours.txt or the user's own
// (read here, never sent), its standard output shown as a terminal shows it.
'use strict';
(function () {
  const state = document.getElementById('state');
  const again = document.getElementById('again');
  const term = document.getElementById('console');
  const picker = document.getElementById('ramp');
  let canvas = document.getElementById('canvas');
  let chosen = null;               // the user's colours.txt: {name, bytes}; null for the site's
  let latest = null;               // the latest run's instance, once made
  let queue = Promise.resolve();   // runs start one after another

  // The console: finished lines, and the line being written.
  const decoder = new TextDecoder();
  let lines = [], line = '', shown = true;
  let errors = '';  // the line being written to standard error
  function show() {
    shown = true;
    term.textContent = lines.concat([line]).join('\n');
    term.scrollTop = term.scrollHeight;
  }
  function put(byte) {
    if (byte === null || byte === undefined)
      return;  // a flush
    if (byte === 10) {
      line += decoder.decode();
      console.log(line);
      lines.push(line);
      line = '';
    } else if (byte === 8) {
      line = Array.from(line).slice(0, -1).join('');  // one character back
    } else {
      line += decoder.decode(new Uint8Array([byte]), {stream: true});
    }
    if (shown) {
      shown = false;
      queueMicrotask(show);
    }
  }

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
    if (!run || run.ended || !run._emscripten_force_exit)
      return;
    try {
      run._emscripten_force_exit(0);
    } catch (e) {
      if (!e || e.name !== 'ExitStatus')
        throw e;
    }
  }

  function ended(status) {
    state.textContent = 'Vellmoor has ended' + (status ? ' (status ' + status + ').' : '.');
    again.hidden = false;
    again.focus();
  }

  async function begin() {
    stop(latest);
    latest = null;
    const fresh = canvas.cloneNode(false);  // a new WebGL context
    canvas.replaceWith(fresh);
    canvas = fresh;
    lines = [];
    line = '';
    show();
    again.hidden = true;
    state.textContent = 'Starting…';
    const ramp = chosen ? {kind: 'file', bytes: chosen.bytes} : await siteRamp();
    const run = {
      canvas: canvas,
      stdout: put,
      stderr: byte => {
        if (byte === 10) {
          console.error(errors);
          errors = '';
        } else if (byte !== null && byte !== undefined) {
          errors += String.fromCharCode(byte);
        }
      },
      preRun: [m => {
        if (ramp.kind === 'file')
          m.FS.writeFile('colours.txt', ramp.bytes);
        else if (ramp.kind === 'directory')
          m.FS.mkdir('colours.txt');
      }],
      onExit: status => { run.ended = true; if (run === latest) ended(status); },
      onAbort: what => {
        run.ended = true;
        if (run === latest) {
          state.textContent = 'Vellmoor stopped: ' + what;
          again.hidden = false;
        }
      },
    };
    latest = run;
    await Vellmoor(run);
    if (!run.ended) {
      state.textContent = chosen ? 'Flying over your ' + chosen.name + '.' : 'Flying.';
      canvas.focus({preventScroll: true});
    }
  }

  function start() {
    queue = queue.then(begin).catch(e => {
      state.textContent = 'Vellmoor could not start: ' + e;
      again.hidden = false;
    });
  }

  async function use(file) {
    chosen = {name: file.name, bytes: new Uint8Array(await file.arrayBuffer())};
    start();
  }

  // Keys belong to the picture while it has the focus; elsewhere the page
  // keeps them. The toolkit listens on the whole window, after this.
  for (const type of ['keydown', 'keyup'])
    window.addEventListener(type, e => { if (e.target !== canvas) e.stopImmediatePropagation(); }, true);
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
  start();
})();
