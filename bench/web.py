"""The web page as users run it, in headless Chromium on SwiftShader.

Usage: bench/web.py SITE [SECONDS]  (SITE: build-web/site, from scripts/web.sh)
Reports the time from loading the page to its first frame, then the frames a
second over SECONDS (default 10) at the start view and with the whole grid
in view: pitched straight down with a drag, then climbing with real keys
until the canvas's outer rows and columns show only the sky's grey; there,
how many frames after a key (Left) the picture first shows its effect.
"""
import os
import shutil
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tests', 'binary'))
import browser as driver  # noqa: E402
import engines  # noqa: E402
from browser import Server, hook, until  # noqa: E402
from selenium.webdriver.common.action_chains import ActionChains  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402

FIRST = """const c = WebGLRenderingContext.prototype.clear;
WebGLRenderingContext.prototype.clear = function (b) { window.vellmoorFirst ??= performance.now(); return c.call(this, b); };"""
# True when every pixel of the canvas's border is grey (the sky's, not the ramp's).
BORDER = """const c = document.getElementById('canvas'), w = c.width, h = c.height;
const x = new OffscreenCanvas(w, h).getContext('2d');
x.drawImage(c, 0, 0);
const grey = (px, py) => { const [r, g, b] = x.getImageData(px, py, 1, 1).data; return r == g && g == b; };
for (let k = 0; k < w; ++k)
  if (!grey(k, 0) || !grey(k, h - 1)) return false;
for (let k = 0; k < h; ++k)
  if (!grey(0, k) || !grey(w - 1, k)) return false;
return true;"""
# From a key on: the picture as it stands as each later frame starts (the
# drawing buffer is kept), that is the frame before; the first that differs
# from the one at the key tells which frame showed the key.
LATENCY = """window.vellmoorAfterKey = [];
const c = document.getElementById('canvas'), clear = WebGLRenderingContext.prototype.clear;
c.addEventListener('keydown', () => { window.vellmoorAfterKey = [c.toDataURL()]; }, true);
WebGLRenderingContext.prototype.clear = function (b) {
  const seen = window.vellmoorAfterKey;
  if (seen.length && seen.length < 5) seen.push(c.toDataURL());
  return clear.call(this, b);
};"""


def rate(d, secs):
    count = lambda: d.execute_script('return [window.vellmoorFrames, performance.now()]')
    n0, t0 = count()
    time.sleep(secs)
    n1, t1 = count()
    return (n1 - n0) * 1000 / (t1 - t0)


def main():
    site, secs = sys.argv[1], float(sys.argv[2]) if len(sys.argv) > 2 else 10
    work = tempfile.mkdtemp()  # a copy of the site with the tests' counters
    shutil.copytree(site, os.path.join(work, 'site'))
    hook(os.path.join(work, 'site'), {'time': None, 'hide': [], 'preserve': True})
    d = engines.chromium().d
    try:
        d.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': FIRST})
        d.get(Server(work).url + 'site/')
        until('no frame', lambda: d.execute_script('return window.vellmoorFrames') > 3)
        print(f'first frame {d.execute_script("return window.vellmoorFirst") / 1000:.2f} s after loading')
        print(f'start view  {rate(d, secs):.1f} frames a second')
        canvas = d.find_element('id', 'canvas')
        ActionChains(d).move_to_element(canvas).click_and_hold().move_by_offset(0, 180).release().perform()
        ActionChains(d).send_keys_to_element(canvas, *['"'] * 8).perform()  # climbing as fast as it goes
        driver.DEADLINE = 600  # the climb is a step a frame at most: minutes at a few frames a second
        until('the whole grid never came into view', lambda: d.execute_script(BORDER))
        ActionChains(d).send_keys_to_element(canvas, 's').perform()
        print(f'whole grid  {rate(d, secs):.1f} frames a second')
        d.execute_script(LATENCY)
        ActionChains(d).send_keys_to_element(canvas, Keys.LEFT).perform()
        seen = until('no frame after the key', lambda: len(s := d.execute_script('return window.vellmoorAfterKey')) == 5 and s)
        shown = next((k - 1 for k in range(2, 5) if seen[k] != seen[0]), None)
        print(f'a key       shown by frame {shown} after it' if shown else 'a key       not shown within 3 frames')
        size = sum(os.path.getsize(os.path.join(site, f)) for f in os.listdir(site))
        print(f'site        {size / 1e6:.2f} MB ({", ".join(sorted(os.listdir(site)))})')
    finally:
        d.quit()
        shutil.rmtree(work)


main()
