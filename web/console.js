// The page's console: the program's standard output as a terminal shows it
// (a backspace takes back one character), each line also in the browser's
// log; its standard error in the browser's log only.
'use strict';
const Terminal = (function () {
  const term = document.getElementById('console');
  const decoder = new TextDecoder();
  let lines = [], line = '', shown = true;
  let errors = '';  // the line being written to standard error
  function show() {
    shown = true;
    term.textContent = lines.concat([line]).join('\n');
    term.scrollTop = term.scrollHeight;
  }
  return {
    clear() {
      lines = [];
      line = '';
      show();
    },
    out(byte) {
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
    },
    err(byte) {
      if (byte === 10) {
        console.error(errors);
        errors = '';
      } else if (byte !== null && byte !== undefined) {
        errors += String.fromCharCode(byte);
      }
    },
  };
})();
