# What the page keeps, checked in Chromium (browser.py): the site offline
# and replaced whole by a new build, the landscape's second in the address,
# a picture saved as drawn, the landscape saved (page_test.sh compares it
# with the desktop viewer's export).
import base64
import datetime
import os
import re
import struct
import subprocess
import sys

SRC = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def utc(second):  # as the page shows it
    return datetime.datetime.fromtimestamp(second, datetime.timezone.utc).strftime('%Y-%m-%d %H:%M:%S UTC')


def stamp(site):  # as scripts/web.sh names a build's version
    subprocess.run(['bash', '-c', f'. "{SRC}/scripts/common.sh" && stamp_site "$0"', site], check=True)
    with open(os.path.join(site, 'sw.js')) as f:
        return re.search(r"^const version = '(\w+)';", f.read(), re.M)[1]


def offline(b, site, server, until, more):
    """Installable; flies with the server gone; a new build served whole once back."""
    d = b.d
    until('no service worker took the page', lambda: b.js('return !!navigator.serviceWorker.controller'))
    if errors := d.execute_cdp_cmd('Page.getInstallabilityErrors', {})['installabilityErrors']:
        sys.exit(f'FAIL: not installable: {errors}')
    server.stop()
    d.refresh()
    more(3)
    index = os.path.join(site, 'index.html')
    with open(index) as f:
        page = f.read()
    with open(index, 'w') as f:
        f.write(page.replace('<title>Vellmoor</title>', '<title>Vellmoor again</title>'))
    version = stamp(site)
    server.start()
    d.refresh()
    until('the new build was not served', lambda: d.title == 'Vellmoor again')
    until('the old cache stayed beside the new', lambda: b.js('return caches.keys().then(k => k.join())') == f'vellmoor-{version}')
    server.stop()
    d.refresh()
    more(3)
    if d.title != 'Vellmoor again':
        sys.exit(f'FAIL: offline, the page of the old build came back ({d.title})')


def address(b, base, clock, until, more):
    """Bad seconds in the address: a line, and the clock's landscape."""
    shot = lambda: b.js("return document.getElementById('canvas').toDataURL()")
    box = lambda: b.js("return JSON.stringify(document.getElementById('canvas').getBoundingClientRect())")
    start, placed = (more(3), shot(), box())[1:]
    for bad in ('x', '-1', '1e30'):
        b.get(base + '#at=' + bad)
        until(f'#at={bad} was not said', lambda: f'#at={bad}"' in b.js("return document.getElementById('note').textContent"))
        more(3)
        seen = b.js("return [location.hash, document.getElementById('second').textContent]")
        if seen != [f'#at={clock}', utc(clock)] or shot() != start:
            sys.exit(f"FAIL: #at={bad} gave {seen}{'' if shot() == start else ' and another landscape'}, not the clock's")
    b.get(base + '?loaded#at=x')  # loaded afresh: the line comes as the page starts
    until('#at=x was not said', lambda: b.js("return !document.getElementById('note').hidden"))
    more(3)
    if box() != placed:
        sys.exit(f'FAIL: the line about the address moved the picture from {placed} to {box()}')


def save(b, work, second, until):
    """The saved PNG: the canvas's picture within one level, naming the second;
    the saved landscape, named by the second and gone from the run's files."""
    d = b.d
    d.execute_cdp_cmd('Browser.setDownloadBehavior', {'behavior': 'allow', 'downloadPath': work})
    b.click('pause')
    until('pause did not say so', lambda: b.js("return document.getElementById('state').textContent") == 'Paused.')
    box = b.js("const r = document.getElementById('canvas').getBoundingClientRect(); return [r.x, r.y, r.width, r.height]")
    shown = d.execute_cdp_cmd('Page.captureScreenshot', {'clip': {'x': box[0], 'y': box[1], 'width': box[2],
                                                                   'height': box[3], 'scale': 1}})
    with open(f'{work}/shown.png', 'wb') as f:
        f.write(base64.b64decode(shown['data']))
    b.click('save')
    saved = f'{work}/vellmoor-{second}.png'
    until('no picture saved', lambda: os.path.exists(saved))
    apart = subprocess.run(['compare', '-metric', 'AE', '-fuzz', '0.4%', saved, f'{work}/shown.png', 'null:'],
                           capture_output=True, text=True).stderr
    texts, at, png = {}, 8, open(saved, 'rb').read()
    while at < len(png):
        n, kind = struct.unpack('>I4s', png[at:at + 8])
        if kind == b'tEXt':
            key, text = png[at + 8:at + 8 + n].split(b'\0')
            texts[key.decode()] = text.decode('latin-1')
        at += n + 12
    if apart != '0' or texts.get('Landscape second') != str(second) or texts.get('Colour ramp') != 'colours.txt':
        sys.exit(f'FAIL: the saved picture: {apart} pixels more than a level from the canvas; texts {texts}')
    b.click('mesh')
    until(f'no vellmoor-{second}.glb saved', lambda: os.path.exists(f'{work}/vellmoor-{second}.glb'))
    if b.js(f"return vellmoorRuns.at(-1).deref().FS.analyzePath('vellmoor-{second}.glb').exists"):
        sys.exit('FAIL: the saved landscape stayed in the run\'s files')
