// The page's next animation frame, waited for in the middle of long work
// (Asyncify unwinds the program there and rewinds it in that frame), so the
// page answers its user and shows what the work has written so far. A hidden
// page has no animation frames: a timer stands in.
mergeInto(LibraryManager.library, {
  $pageFrame__deps: ['$callUserCallback'],
  $pageFrame: function(then) {
    var woken = false, timer = 0;
    var wake = function() {
      if (woken)
        return;
      woken = true;
      clearTimeout(timer);
      callUserCallback(then);  // the program's rest runs as a callback: its exit or unwind is no error
    };
    requestAnimationFrame(wake);
    timer = setTimeout(wake, 100);  // ms
  },
  NextPageFrame__deps: ['$pageFrame'],
  NextPageFrame: function() {
    Asyncify.handleSleep(pageFrame);
  },
});
