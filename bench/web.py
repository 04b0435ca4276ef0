"""The page as users run it beside the desktop viewer, in one run, at one
picture size: the page in Chromium on SwiftShader, in Chromium on Mesa's
llvmpipe (through ANGLE's GL back end) and in Firefox ESR (llvmpipe), and
the desktop viewer with its fixed-function and its shader renderer
(llvmpipe), its window resized to the page's picture.

Usage: bench/web.py SITE BUILD [SECONDS]  (SITE: build-web/site, from
scripts/web.sh; BUILD: the desktop build, build/, with its tests' frame
counter; SECONDS a view, default 8). Needs Xvfb, xdotool and gdb.

For each: the time from loading the page to its first frame, in a browser
just started with it and in one already running (a WebGL context made on a
blank page first, the page never visited); then at the start view and from
above (y 250, pitched straight down: the whole grid in view), the frames a
second and, in the page, the main thread's time in each animation-frame
callback that drew (median and 95th percentile, ms); and where the frames'
time goes: the CPU time each thread of the browser's processes (or the
viewer's) spent, per frame drawn, the busiest first; last, the first
frame's way in the running browser (when each step began, ms). The
page keeps no drawing buffer between frames (no preserveDrawingBuffer), as
users run it. The page climbs to the view from above with real keys; the
desktop viewer is put there through gdb, as bench/real.sh puts it.
"""
import collections
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tests', 'binary'))
import browser as driver  # noqa: E402
import engines  # noqa: E402
from browser import Server, hook, until  # noqa: E402

ABOVE = 250  # the eye's height from above, grid cells
TICK = os.sysconf('SC_CLK_TCK')


# The first frame's way, in ms from loading: marks at the first call of each
# of these, and the loads of the program and colours.txt.
MARKS = """'use strict';
window.vellmoorMarks = {};
{
  const mark = (name, f) => function (...a) { vellmoorMarks[name] ??= performance.now(); return f.apply(this, a); };
  const gl = WebGLRenderingContext.prototype;
  for (const [name, f] of [['shaders', 'shaderSource'], ['height field and ramp built', 'texImage2D'], ['first frame', 'clear']])
    gl[f] = mark(name, gl[f]);
  const get = HTMLCanvasElement.prototype.getContext;
  HTMLCanvasElement.prototype.getContext = function (...a) {
    vellmoorMarks['WebGL context asked'] ??= performance.now();
    try { return get.apply(this, a); } finally { vellmoorMarks['WebGL context made'] ??= performance.now(); }
  };
  addEventListener('DOMContentLoaded', () => { vellmoorMarks['page parsed, scripts run'] = performance.now(); });
}
"""
LOADS = """return performance.getEntriesByType('resource').filter(e => /(vellmoor[.][0-9a-f]{10}[.]wasm|colours[.]txt)$/.test(e.name))
                  .map(e => [e.name.split('/').pop().replace(/[.][0-9a-f]{10}[.]/, '.') + ' loaded', e.responseEnd])"""


def threads(programs):
    """CPU seconds so far of each thread of the processes running one of
    programs, by (process kind, thread name with its number dropped)."""
    spent = collections.Counter()
    for pid in filter(str.isdigit, os.listdir('/proc')):
        try:
            args = open(f'/proc/{pid}/cmdline').read().replace('\0', ' ').split()
            if not args or os.path.basename(args[0]) not in programs:
                continue
            kind = next((a[7:] for a in args if a.startswith('--type=')), args[-1] if '-contentproc' in args else 'main')
            for tid in os.listdir(f'/proc/{pid}/task'):
                stat = open(f'/proc/{pid}/task/{tid}/stat').read()
                fields = stat[stat.rindex(')') + 2:].split()
                name = re.sub(r'[0-9]+$', '#', stat[stat.index('(') + 1:stat.rindex(')')])
                spent[kind, name] += (int(fields[11]) + int(fields[12])) / TICK
        except (OSError, ValueError):
            pass  # gone meanwhile
    return spent


def busiest(before, after, frames, most=5):  # ms a frame, the busiest threads first
    ms = {k: (after[k] - before.get(k, 0)) * 1000 / max(frames, 1) for k in after}
    top = sorted(ms.items(), key=lambda kv: -kv[1])[:most]
    return f'{sum(ms.values()):.0f} ms: ' + ', '.join(f'{k[0]} {k[1]} {v:.0f}' for k, v in top if v >= 0.5)


def page(make, site, work, secs, programs):
    b = make()
    try:
        server = Server(work)
        b.get(server.url + 'site/')
        count = lambda: b.js('return window.vellmoorFrames')
        until('no frame', lambda: count() > 3)
        first = b.js('return window.vellmoorFirst') / 1000
        b.quit()
        b = make()
        b.get(server.url + 'blank.html')  # where its GPU side starts, the page not yet visited
        b.js("document.querySelector('canvas').getContext('webgl')")
        b.get(server.url + 'site/')
        until('no frame', lambda: count() > 3)
        first = first, b.js('return window.vellmoorFirst') / 1000
        marks = sorted(list(b.js('return window.vellmoorMarks').items()) + b.js(LOADS), key=lambda m: m[1])

        def measure():
            b.js('window.vellmoorCallbacks = []')
            (n0, t0), c0 = b.js('return [window.vellmoorFrames, performance.now()]'), threads(programs)
            time.sleep(secs)
            (n1, t1), c1 = b.js('return [window.vellmoorFrames, performance.now()]'), threads(programs)
            ms = sorted(b.js('return window.vellmoorCallbacks'))
            return (n1 - n0) * 1000 / (t1 - t0), statistics.median(ms), ms[int(0.95 * (len(ms) - 1))], \
                busiest(c0, c1, n1 - n0)

        start = measure()
        side = b.js("return document.getElementById('canvas').width")
        b.drag(0, 180)  # pitched straight down
        b.keys(*['"'] * 8)  # climbing as fast as it goes
        driver.DEADLINE = 600  # a step a frame at most: minutes at a few frames a second
        until('never came up to the view from above', lambda: b.js('return window.vellmoorEye') >= ABOVE)
        b.keys('s')
        return side, first, start, measure(), ', '.join(f'{m} {t:.0f}' for m, t in marks)
    finally:
        b.quit()


def desktop(build, side, secs, shaders):
    work = tempfile.mkdtemp()
    shutil.copy('colours.txt', work)
    env = dict(os.environ, LD_PRELOAD=f'{build}/tests/support/libvellmoor_frames.so', VELLMOOR_FRAMES=f'{work}/frames',
               **({'VELLMOOR_SHADERS': '1'} if shaders else {}))
    viewer = subprocess.Popen([f'{build}/vellmoor'], cwd=work, env=env, stdout=subprocess.DEVNULL)
    try:
        frames = lambda: int(open(f'{work}/frames').read() or 0) if os.path.exists(f'{work}/frames') else 0
        until('no desktop frame', lambda: frames() > 3)
        window = until('no window', lambda: subprocess.run(['xdotool', 'search', '--pid', str(viewer.pid), '--onlyvisible',
                                                            '--name', '^Vellmoor$'], capture_output=True, text=True).stdout.split())
        subprocess.run(['xdotool', 'windowsize', window[0], str(side), str(side)], check=True)

        def measure():
            n0, t0, c0 = frames(), time.monotonic(), threads(['vellmoor'])
            time.sleep(secs)
            n1, t1, c1 = frames(), time.monotonic(), threads(['vellmoor'])
            return (n1 - n0) / (t1 - t0), None, None, busiest(c0, c1, n1 - n0)

        start = (time.sleep(1), measure())[1]
        subprocess.run(['gdb', '-p', str(viewer.pid), '-batch', '-ex', f'set var ypos={ABOVE}', '-ex', 'set var beta=90',
                        '-ex', 'set var hvel=0', '-ex', 'set var yspd=0'], capture_output=True, check=True)
        return start, (time.sleep(1), measure())[1]
    finally:
        viewer.kill()
        viewer.wait()
        shutil.rmtree(work)


def main():
    site, build = sys.argv[1], os.path.abspath(sys.argv[2])
    secs = float(sys.argv[3]) if len(sys.argv) > 3 else 8
    work = tempfile.mkdtemp()  # a copy of the site with the tests' counters
    shutil.copytree(site, os.path.join(work, 'site'))
    with open(os.path.join(work, 'blank.html'), 'w') as f:
        f.write('<!DOCTYPE html><title>blank</title><canvas></canvas>')
    hook(os.path.join(work, 'site'), {'time': None, 'hide': [], 'preserve': False, 'count': False})
    with open(os.path.join(work, 'site', 'marks.js'), 'w') as f:
        f.write(MARKS)
    index = os.path.join(work, 'site', 'index.html')
    with open(index) as f:
        html = f.read().replace('<script src="hooks.js">', '<script src="marks.js"></script>\n<script src="hooks.js">', 1)
    with open(index, 'w') as f:
        f.write(html)
    display = subprocess.Popen(['Xvfb', '-displayfd', '1', '-screen', '0', '1400x1000x24', '-nolisten', 'tcp'],
                               stdout=subprocess.PIPE, text=True)
    os.environ['DISPLAY'] = ':' + display.stdout.readline().strip()
    try:
        rows, ways = [], []
        for name, make, programs in (('Chromium, SwiftShader', engines.chromium, ['chromium']),
                                     ('Chromium, llvmpipe', lambda: engines.chromium(llvmpipe=True), ['chromium']),
                                     ('Firefox, llvmpipe', lambda: engines.Firefox(600), ['firefox-esr'])):
            side, first, start, above, way = page(make, site, work, secs, programs)
            rows.append((name, '%.2f %.2f s' % first, start, above))
            ways.append(f'{name}\n  {way}')
        for name, shaders in (('desktop, fixed function', False), ('desktop, shaders', True)):
            start, above = desktop(build, side, secs, shaders)
            rows.append((name, '', start, above))
        print(f'{side} x {side} pixels, {secs:g} s a view; first frame: browser started with the page, already running;')
        print('callbacks: median, 95th percentile (ms)')
        print(f"{'':24}{'first frame':>14}{'start view':>12}{'callbacks':>14}{'from above':>12}{'callbacks':>14}")
        ms = lambda r: f'{r[1]:6.2f} {r[2]:6.2f}' if r[1] is not None else ''
        for name, first, start, above in rows:
            print(f'{name:24}{first:>14}{start[0]:12.1f}{ms(start):>14}{above[0]:12.1f}{ms(above):>14}')
        print('CPU time a frame, all threads, and the busiest (process, thread, ms; # a number)')
        for name, _, start, above in rows:
            print(f'{name}\n  start view  {start[3]}\n  from above  {above[3]}')
        print("The first frame's way in a running browser, ms from loading", *ways, sep='\n')
        size = sum(os.path.getsize(os.path.join(site, f)) for f in os.listdir(site))
        print(f'site {size / 1e6:.2f} MB')
    finally:
        display.kill()
        shutil.rmtree(work)


main()
