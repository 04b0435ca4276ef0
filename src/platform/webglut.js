// Emscripten's GLUT (3.1) calls the motion callback with the pointer's
// position before the move, so a drag would lag one event behind and lose
// its last step. The viewer's motion callback gets the position after it,
// as from freeglut; the toolkit's own listener has updated it by then.
mergeInto(LibraryManager.library, {
  glutMotionFunc__deps: ['$GLUT', '$Browser'],
  glutMotionFunc: function(func) {
    var x = Browser.mouseX, y = Browser.mouseY;
    function moved(event) {
      var still = Browser.mouseX == x && Browser.mouseY == y;
      x = Browser.mouseX;
      y = Browser.mouseY;
      if (GLUT.buttons == 0 || still)
        return;
      event.preventDefault();
      GLUT.saveModifiers(event);
      {{{ makeDynCall('vii', 'func') }}}(x, y);
    }
    window.addEventListener('mousemove', moved, true);
    __ATEXIT__.push(function() { window.removeEventListener('mousemove', moved, true); });
  },
});
