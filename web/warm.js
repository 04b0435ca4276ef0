// Makes a WebGL context off the page's main thread, where the browser can
// (WebGL in a worker, on an OffscreenCanvas), and says so. The browser's
// first WebGL context starts its GPU side, which a software renderer takes
// hundreds of ms over: done here, the program's own context, made on the
// main thread, comes at once. The worker stays, idle, as long as the page:
// ended, or its context let go, it holds the page's main thread for tens of
// ms as it goes.
'use strict';
let context = null;  // kept: the GPU side stays up
try {
  context = new OffscreenCanvas(1, 1).getContext('webgl');
} catch (e) {
  // no OffscreenCanvas, or no WebGL in workers: nothing made, nothing lost
}
postMessage(!!context);
