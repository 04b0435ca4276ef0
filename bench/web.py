"""The page as users run it beside the desktop viewer, in one run, at one
picture size: the page in Chromium on SwiftShader, in Chromium on Mesa's
llvmpipe (through ANGLE's GL back end) and in Firefox ESR (llvmpipe), and
the desktop viewer with its fixed-function and its shader renderer
(llvmpipe), its window resized to the page's picture.

Usage: bench/web.py SITE BUILD [SECONDS]  (SITE: build-web/site, from
scripts/web.sh; BUILD: the desktop build, build/, with its tests' frame
counter; SECONDS a view, default 8). Needs Xvfb, xdotool and gdb.

For each: the time from loading the page to its first frame; then at the
start view and from above (y 250, pitched straight down: the whole grid in
view), the frames a second and, in the page, the main thread's time in each
animation-frame callback that drew (median and 95th percentile, ms). The
page keeps no drawing buffer between frames (no preserveDrawingBuffer), as
users run it. The page climbs to the view from above with real keys; the
desktop viewer is put there through gdb, as bench/real.sh puts it.
"""
import os
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


def page(make, site, work, secs):
    b = make()
    try:
        b.get(Server(work).url + 'site/')
        count = lambda: b.js('return window.vellmoorFrames')
        until('no frame', lambda: count() > 3)
        first = b.js('return window.vellmoorFirst') / 1000

        def measure():
            b.js('window.vellmoorCallbacks = []')
            (n0, t0), _, (n1, t1) = (b.js('return [window.vellmoorFrames, performance.now()]'), time.sleep(secs),
                                     b.js('return [window.vellmoorFrames, performance.now()]'))
            ms = sorted(b.js('return window.vellmoorCallbacks'))
            return (n1 - n0) * 1000 / (t1 - t0), statistics.median(ms), ms[int(0.95 * (len(ms) - 1))]

        start = measure()
        side = b.js("return document.getElementById('canvas').width")
        b.drag(0, 180)  # pitched straight down
        b.keys(*['"'] * 8)  # climbing as fast as it goes
        driver.DEADLINE = 600  # a step a frame at most: minutes at a few frames a second
        until('never came up to the view from above', lambda: b.js('return window.vellmoorEye') >= ABOVE)
        b.keys('s')
        return side, first, start, measure()
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
            n0, t0 = frames(), time.monotonic()
            time.sleep(secs)
            return (frames() - n0) / (time.monotonic() - t0)

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
    hook(os.path.join(work, 'site'), {'time': None, 'hide': [], 'preserve': False, 'count': False})
    display = subprocess.Popen(['Xvfb', '-displayfd', '1', '-screen', '0', '1400x1000x24', '-nolisten', 'tcp'],
                               stdout=subprocess.PIPE, text=True)
    os.environ['DISPLAY'] = ':' + display.stdout.readline().strip()
    try:
        rows = []
        for name, make in (('Chromium, SwiftShader', engines.chromium),
                           ('Chromium, llvmpipe', lambda: engines.chromium(llvmpipe=True)),
                           ('Firefox, llvmpipe', lambda: engines.Firefox(600))):
            side, first, start, above = page(make, site, work, secs)
            rows.append((name, f'{first:.2f} s', start, above))
        for name, shaders in (('desktop, fixed function', False), ('desktop, shaders', True)):
            start, above = desktop(build, side, secs, shaders)
            rows.append((name, '', (start, None, None), (above, None, None)))
        print(f'{side} x {side} pixels, {secs:g} s a view; callbacks: median, 95th percentile (ms)')
        print(f"{'':24}{'first frame':>12}{'start view':>12}{'callbacks':>14}{'from above':>12}{'callbacks':>14}")
        ms = lambda r: f'{r[1]:6.2f} {r[2]:6.2f}' if r[1] is not None else ''
        for name, first, start, above in rows:
            print(f'{name:24}{first:>12}{start[0]:12.1f}{ms(start):>14}{above[0]:12.1f}{ms(above):>14}')
        size = sum(os.path.getsize(os.path.join(site, f)) for f in os.listdir(site))
        print(f'site {size / 1e6:.2f} MB')
    finally:
        display.kill()
        shutil.rmtree(work)


main()
