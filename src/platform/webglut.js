// Emscripten's GLUT (3.1) gives the mouse and motion callbacks the pointer's
// position in drawing-buffer pixels, and the motion callback the position
// before the move, so a drag would lag one event behind and lose its last
// step. The viewer's get it after the move, as from freeglut, in the
// canvas's CSS pixels: a drag turns by what the user sees, whatever the
// screen's pixel density. Presses count on the canvas only; the wheel is
// left to the page.
//
// Its keys come from keyCode through a US layout's table, so on another
// layout the character keys do what the US key in that place types (a
// German ' sank). The keyboard and special handlers here get the character
// the user's layout types (KeyboardEvent.key) and the named keys by name,
// as X11 and Windows hand freeglut the character typed. They run as
// emscripten runs a timer's callback: the exit that Escape makes ends the
// run without an exception thrown to the page (one a debugger would keep,
// and the whole run with it).
mergeInto(LibraryManager.library, {
  // The toolkit's window turns on every extension the browser offers (near
  // 40 calls, a quarter to half a second of Chromium's start with
  // SwiftShader); this one turns on only those the renderer may use. The
  // context is made in a page's frame of its own, after the program's
  // start and before its next steps: making it can hold the page for tens
  // of ms.
  glutCreateWindow__deps: ['$GLUT', '$Browser', '$pageFrame'],
  glutCreateWindow: function(name) {
    return Asyncify.handleSleep(function(wakeUp) {
      pageFrame(function() {
        var mode = GLUT.initDisplayMode;
        Module.ctx = Browser.createContext(Module['canvas'], true, true, {
          antialias: (mode & 0x80) != 0, depth: (mode & 0x10) != 0, stencil: (mode & 0x20) != 0,
          alpha: (mode & 0x08) != 0, enableExtensionsByDefault: false});
        if (Module.ctx)
          Module['_EnableExtensions']();
        var made = Module.ctx ? 1 : 0;
        pageFrame(function() { wakeUp(made); });
      });
    });
  },
  $canvasPoint: function(event) {
    var r = Module['canvas'].getBoundingClientRect();
    return [(event.clientX - r.left) | 0, (event.clientY - r.top) | 0];
  },
  $listen: function(type, handler) {
    window.addEventListener(type, handler, true);
    __ATEXIT__.push(function() { window.removeEventListener(type, handler, true); });
  },
  // Latin-1 characters as typed, and the few named keys that type one;
  // null for the rest (Shift, F5, a dead key) and for shortcuts: Ctrl or Alt
  // alone, or Meta (Ctrl with Alt is AltGr on Windows, which types).
  $typedChar: function(event) {
    var named = {'Escape': 27, 'Enter': 13, 'Backspace': 8, 'Delete': 127};
    if (event.isComposing || event.metaKey || event.ctrlKey != event.altKey)
      return null;
    if (named.hasOwnProperty(event.key))
      return named[event.key];
    var chars = Array.from(event.key);  // code points
    var c = chars.length == 1 ? chars[0].codePointAt(0) : 256;
    return c < 256 ? c : null;
  },
  // GLUT's special keys by their DOM names. The function keys stay the
  // browser's (F5 reloads, F11 goes fullscreen).
  $specialKeys: {'ArrowLeft': 100, 'ArrowUp': 101, 'ArrowRight': 102, 'ArrowDown': 103,
                 'PageUp': 104, 'PageDown': 105, 'Home': 106, 'End': 107, 'Insert': 108},
  $keyListener__deps: ['$GLUT', '$Browser', '$listen', '$callUserCallback'],
  $keyListener: function(translate, func) {
    listen('keydown', function(event) {
      var key = translate(event);
      if (key === null || key === undefined)
        return;
      event.preventDefault();
      GLUT.saveModifiers(event);
      callUserCallback(function() { {{{ makeDynCall('viii', 'func') }}}(key, Browser.mouseX, Browser.mouseY); });
    });
  },
  glutKeyboardFunc__deps: ['$keyListener', '$typedChar'],
  glutKeyboardFunc: function(func) {
    keyListener(typedChar, func);
  },
  glutSpecialFunc__deps: ['$keyListener', '$specialKeys'],
  glutSpecialFunc: function(func) {
    keyListener(function(event) {
      return !event.metaKey && specialKeys.hasOwnProperty(event.key) ? specialKeys[event.key] : null;
    }, func);
  },
  glutMouseFunc__deps: ['$GLUT', '$canvasPoint', '$listen'],
  glutMouseFunc: function(func) {
    function press(state) {
      return function(event) {
        if (state == 0 /* GLUT_DOWN */ && event.target != Module['canvas'])
          return;
        var p = canvasPoint(event);
        event.preventDefault();
        GLUT.saveModifiers(event);
        {{{ makeDynCall('viiii', 'func') }}}(event.button, state, p[0], p[1]);
      };
    }
    listen('mousedown', press(0));
    listen('mouseup', press(1));
  },
  glutMotionFunc__deps: ['$GLUT', '$canvasPoint', '$listen'],
  glutMotionFunc: function(func) {
    var last = [];
    listen('mousemove', function(event) {
      var p = canvasPoint(event);
      var still = p[0] == last[0] && p[1] == last[1];
      last = p;
      if (GLUT.buttons == 0 || still)
        return;
      event.preventDefault();
      GLUT.saveModifiers(event);
      {{{ makeDynCall('vii', 'func') }}}(p[0], p[1]);
    });
  },
});
