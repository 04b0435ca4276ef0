// Emscripten's GLUT (3.1) gives the mouse and motion callbacks the pointer's
// position in drawing-buffer pixels, and the motion callback the position
// before the move, so a drag would lag one event behind and lose its last
// step. The viewer's get it after the move, as from freeglut, in the
// canvas's CSS pixels: a drag turns by what the user sees, whatever the
// screen's pixel density. Presses count on the canvas only; the wheel is
// left to the page.
mergeInto(LibraryManager.library, {
  $canvasPoint: function(event) {
    var r = Module['canvas'].getBoundingClientRect();
    return [(event.clientX - r.left) | 0, (event.clientY - r.top) | 0];
  },
  $listen: function(type, handler) {
    window.addEventListener(type, handler, true);
    __ATEXIT__.push(function() { window.removeEventListener(type, handler, true); });
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
