// What a user keeps of a flight: the landscape's second, shown and in the
// address (#at=SECONDS, whole seconds since 1970, UTC) so that the address
// shares the landscape, and pictures saved as drawn. page.js asks it for
// each run's second (Keep.second) and hands it each frame drawn (Keep.drawn).
'use strict';
const Keep = (function () {
  const last = 253402300799;  // 9999-12-31 23:59:59 UTC, the latest second taken
  const shown = document.getElementById('second');
  const note = document.getElementById('note');
  let second = null;  // the landscape's, once taken
  let wanted = null;  // the ramp's name while a picture is asked for

  // The address's second, or null without one; a bad one is said and left.
  function addressed() {
    const found = /^#at=(.*)$/s.exec(location.hash);
    if (!found)
      return null;
    if (/^[0-9]{1,12}$/.test(found[1]) && Number(found[1]) <= last)
      return Number(found[1]);
    note.textContent = 'The address\'s "#at=' + found[1].slice(0, 40) + '" is not a whole second ' +
      'from 0 to ' + last + ', so this landscape is the clock\'s.';
    note.hidden = false;
    return null;
  }
  function use(s) {
    second = s;
    history.replaceState(null, '', '#at=' + s);
    shown.textContent = new Date(s * 1000).toISOString().replace('T', ' ').replace(/\.\d+Z$/, ' UTC');
  }

  const api = {second: () => second};
  // The address's second, else the clock's: at the start, and when the
  // address changes to another.
  api.take = function () {
    note.hidden = true;
    const s = addressed();
    use(s === null ? Math.floor(Date.now() / 1000) : s);
  };
  api.fresh = () => { note.hidden = true; use(Math.floor(Date.now() / 1000)); };
  api.moved = () => location.hash !== '#at=' + second;  // the user changed the address
  // Where the page may not write the clipboard (an insecure origin), the
  // address bar is the way.
  const copy = document.getElementById('copy');
  copy.hidden = !navigator.clipboard;
  copy.addEventListener('click', () => navigator.clipboard.writeText(location.href).catch(() => {}));

  // A picture: the next frame, read as it is drawn (the drawing buffer is
  // not kept once shown), with text chunks naming the second and the ramp.
  api.save = (run, ramp) => {
    wanted = ramp;
    run._DrawAgain();
  };
  api.drawn = function (canvas) {
    if (wanted === null)
      return;
    const texts = {'Landscape second': String(second), 'Colour ramp': wanted, 'Software': 'Vellmoor'};
    const name = 'vellmoor-' + second + '.png';
    wanted = null;
    canvas.toBlob(async png => {
      const bytes = new Uint8Array(await png.arrayBuffer());
      const ihdr = 33;  // the signature and the header chunk: text chunks go after them
      const parts = [bytes.subarray(0, ihdr), ...Object.entries(texts).map(([k, v]) => chunk('tEXt', k + '\0' + v)),
                     bytes.subarray(ihdr)];
      const a = document.createElement('a');
      a.href = URL.createObjectURL(new Blob(parts, {type: 'image/png'}));
      a.download = name;
      a.click();
      setTimeout(() => URL.revokeObjectURL(a.href), 60000);
    }, 'image/png');
  };

  // A PNG chunk: length, type, data (Latin-1; other characters as ?), CRC.
  const crcs = Array.from({length: 256}, (_, n) => {
    for (let k = 0; k < 8; ++k)
      n = n & 1 ? 0xedb88320 ^ (n >>> 1) : n >>> 1;
    return n >>> 0;
  });
  function chunk(type, text) {
    const data = Uint8Array.from(type + text, c => c.charCodeAt(0) < 256 ? c.charCodeAt(0) : 63);
    let crc = 0xffffffff;
    for (const b of data)
      crc = crcs[(crc ^ b) & 255] ^ (crc >>> 8);
    const out = new DataView(new ArrayBuffer(data.length + 8));
    out.setUint32(0, data.length - 4);
    new Uint8Array(out.buffer).set(data, 4);
    out.setUint32(data.length + 4, (crc ^ 0xffffffff) >>> 0);
    return out.buffer;
  }
  return api;
})();
