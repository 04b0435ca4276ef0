// Loaded by the page's copy under test before its own scripts (browser.py
// writes `hooks` with the run's settings first). Counts frames (each clears
// once), those drawn outside an animation frame or twice in one callback,
// and those drawn while the page was hidden, and the triangles with an area
// that the last whole frame drew, however drawn; the console's spinner
// marks, the longest task and the layout shift; keeps the keys whose default action (scrolling, typing)
// was left to the page, the errors thrown or logged, the latest
// landscape's model-view matrix and a weak reference to each run; keeps
// each frame readable until the next unless told not to (a busy renderer
// can miss WebDriver's 10 s for a screenshot). Optionally freezes the clock
// or hides extensions (WEBGL_multi_draw, OES_element_index_uint), as some
// browsers lack them.
'use strict';
{  // nothing here is global but the window's own names
window.vellmoorFrames = window.vellmoorStray = window.vellmoorHidden = window.vellmoorTriangles = 0;
window.vellmoorCalls = 0;  // to clear and to set the viewport: a frame or a reshape
let tally = 0;  // triangles drawn since the last clear
const gl = WebGLRenderingContext.prototype;
const triangles = (m, n) => m === gl.TRIANGLES ? n / 3 : m === gl.TRIANGLE_STRIP ? Math.max(n - 2, 0) : 0;
const arrays = gl.drawArrays;
gl.drawArrays = function (m, first, n) { tally += triangles(m, n); return arrays.call(this, m, first, n); };
let indices = new Uint32Array(0);  // the element buffer's, as last filled: always from its start
for (const name of hooks.count ? ['bufferData', 'bufferSubData'] : []) {  // a benchmark's page counts none
  const fill = gl[name];
  gl[name] = function (target, ...rest) {
    const data = rest[name === 'bufferData' ? 0 : 1];
    if (target === gl.ELEMENT_ARRAY_BUFFER && ArrayBuffer.isView(data))
      indices = new Uint32Array(data.slice().buffer);
    return fill.call(this, target, ...rest);
  };
}
const elements = gl.drawElements;
gl.drawElements = function (m, n, type, offset) {  // a strip of 32-bit indices, from the start
  for (let k = 2; k < n && hooks.count; ++k) {
    const [a, b, c] = [indices[k - 2], indices[k - 1], indices[k]];
    tally += a !== b && b !== c && a !== c;
  }
  return elements.call(this, m, n, type, offset);
};
const extension = gl.getExtension;
gl.getExtension = function (name) {
  if (hooks.hide.includes(name))
    return null;
  const e = extension.call(this, name);
  if (e && name === 'WEBGL_multi_draw' && !e.counted) {
    const multi = e.multiDrawArraysWEBGL;
    e.multiDrawArraysWEBGL = function (m, f, fo, counts, co, n) {
      for (let k = 0; k < n; ++k) tally += triangles(m, counts[co + k]);
      return multi.call(this, m, f, fo, counts, co, n);
    };
    e.counted = true;
  }
  return e;
};
const supported = gl.getSupportedExtensions;
gl.getSupportedExtensions = function () {
  return (supported.call(this) || []).filter(e => !hooks.hide.includes(e));
};
// The eye's height: the view matrix is a rotation R after a move by -eye, so
// its translation t is -R eye, and eye = -R^T t (column-major, y second).
const uniformAt = gl.getUniformLocation;
gl.getUniformLocation = function (p, name) {
  const at = uniformAt.call(this, p, name);
  if (at)
    at.vellmoorName = name;
  return at;
};
const matrix = gl.uniformMatrix4fv;
gl.uniformMatrix4fv = function (at, t, m) {
  if (at && at.vellmoorName === 'modelview')  // the sky's, then the landscape's
    window.vellmoorEye = -(m[4] * m[12] + m[5] * m[13] + m[6] * m[14]);
  return matrix.call(this, at, t, m);
};
window.vellmoorLoose = [];
window.addEventListener('keydown', e => setTimeout(() => e.defaultPrevented || window.vellmoorLoose.push(e.key)), true);
document.addEventListener('visibilitychange', () => document.hidden && (window.vellmoorWasHidden = true));
let drawn = null;  // frames drawn in the running animation-frame callback; null outside one
window.vellmoorCallbacks = [];  // ms in each animation-frame callback that drew, the latest 1000
const raf = window.requestAnimationFrame.bind(window);
window.requestAnimationFrame = f => raf(t => {
  const began = performance.now();
  drawn = 0;
  try { f(t); } finally {
    drawn && vellmoorCallbacks.push(performance.now() - began) > 1000 && vellmoorCallbacks.shift();
    drawn = null;
  }
});
const viewport = gl.viewport;
gl.viewport = function (...box) { ++window.vellmoorCalls; return viewport.apply(this, box); };
const clear = gl.clear;
gl.clear = function (bits) {
  window.vellmoorFirst ??= performance.now();  // ms from loading the page to its first frame
  ++window.vellmoorFrames;
  ++window.vellmoorCalls;
  window.vellmoorTriangles = tally;
  tally = 0;
  window.vellmoorStray += drawn === null || ++drawn > 1;
  window.vellmoorHidden += document.hidden;
  return clear.call(this, bits);
};
const get = HTMLCanvasElement.prototype.getContext;
HTMLCanvasElement.prototype.getContext = function (t, a) { return get.call(this, t, {...a, preserveDrawingBuffer: hooks.preserve}); };
window.vellmoorSaid = [];  // the status line's texts, each with the frames drawn by then
addEventListener('DOMContentLoaded', () => { const s = document.getElementById('state');
  new MutationObserver(() => vellmoorSaid.push([s.textContent, vellmoorFrames])).observe(s, {childList: true, subtree: true}); });
window.vellmoorMarks = [];  // the spinner's marks as the console pane showed them
addEventListener('DOMContentLoaded', () => { const c = document.getElementById('console');
  new MutationObserver(() => { const m = /^Denting(.)$/.exec(c.textContent); m && vellmoorMarks.push(m[1]); })
    .observe(c, {childList: true, characterData: true, subtree: true}); });
window.vellmoorLongest = window.vellmoorShift = 0;  // ms, the main thread's longest task; layout shift (where told)
const observe = (type, f) => PerformanceObserver.supportedEntryTypes?.includes(type) &&
  new PerformanceObserver(l => l.getEntries().forEach(f)).observe({type, buffered: true});
observe('longtask', e => { vellmoorLongest = Math.max(vellmoorLongest, e.duration); });
observe('layout-shift', e => { vellmoorShift += e.hadRecentInput ? 0 : e.value; });
window.vellmoorErrors = [];
addEventListener('error', e => e.error && e.error.name === 'ExitStatus' || vellmoorErrors.push(String(e.message)));
addEventListener('unhandledrejection', e => vellmoorErrors.push('unhandled rejection: ' + e.reason));
const logged = console.error.bind(console);
console.error = (...what) => { vellmoorErrors.push(what.join(' ')); logged(...what); };
window.vellmoorRuns = [];  // a weak reference to each run's module
let factory;
Object.defineProperty(window, 'Vellmoor', {configurable: true, get: () => factory && (settings => {
  vellmoorRuns.push(new WeakRef(settings));
  return factory(settings);
}), set: f => { factory = f; }});
if (hooks.time !== null)
  Date.now = () => hooks.time * 1000;
}
