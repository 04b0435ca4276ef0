# The web page in a browser engine (engines.py: Chromium, Firefox ESR or
# WebKitGTK) in a 1280 x 800 window: serves SITE with hooks.js loaded first,
# waits for frames; with --views keeps the canvas as WORK/web-1.png
# (start), -2 (Left x 3, Page Up x 2) and, in Chromium, -3 (a drag 40
# pixels down), -4 (then one 180 pixels right), its side in WORK/side, then
# checks the keyboard table and, in Chromium, Tab, pause and a lost context.
# --phone: a 390 x 844 touch screen at twice the density. --nowebgl: a
# browser without WebGL. --restarts N: N runs ended and started again. Escape
# must end the run; the console's text goes to WORK/stdout. Fails on an
# error on the page, a key's default action left undone, or "Flying." said
# before a frame. --time freezes Date.now.
import argparse
import base64
import functools
import http.server
import json
import os
import sys
import threading
import time

from selenium.common.exceptions import JavascriptException, TimeoutException
from selenium.webdriver.common.action_chains import ActionChains

import engines
import keeping
import runs

DEADLINE = 90  # seconds for any one wait
LONGEST = 400  # ms: no task from loading to flying so long, even on a busy machine

def until(what, test):  # a renderer too busy to answer in time, or a page still coming, is asked again
    end = time.monotonic() + DEADLINE
    while time.monotonic() < end:
        try:
            if got := test():
                return got
        except (TimeoutException, JavascriptException):
            pass
        time.sleep(0.05)
    sys.exit(f'FAIL: {what} (gave up after {DEADLINE} s)')


class Server:  # the site's folder on a local port, which can go and come back
    def __init__(self, folder):
        self.handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=folder)
        self.handler.func.log_message = lambda *a: None
        self.port = 0
        self.start()
        self.url = f'http://127.0.0.1:{self.port}/'

    def start(self):
        self.httpd = http.server.ThreadingHTTPServer(('127.0.0.1', self.port), self.handler)
        self.port = self.httpd.server_address[1]
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def stop(self):
        self.httpd.shutdown()
        self.httpd.server_close()


def hook(site, settings):  # hooks.js into the site's copy, before the page's own scripts
    src = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'hooks.js')
    with open(src) as f, open(os.path.join(site, 'hooks.js'), 'w') as out:
        out.write(f'const hooks = {json.dumps(settings)};\n' + f.read())
    index = os.path.join(site, 'index.html')
    with open(index) as f:
        page = f.read()
    with open(index, 'w') as f:
        f.write(page.replace('<link rel="stylesheet"', '<script src="hooks.js"></script>\n<link rel="stylesheet"', 1))
    keeping.stamp(site)  # kept offline with the rest


def main():
    p = argparse.ArgumentParser()
    for arg, how in (('site', {}), ('work', {}), ('--time', {'type': int}), ('--restarts', {'type': int, 'default': 0}),
                     ('--engine', {'default': 'chromium'}), ('--at', {'type': int}), ('--name', {'default': 'web'}),
                     ('--hide', {'default': ''}),
                     *((f, {'action': 'store_true'}) for f in ('--views', '--phone', '--nowebgl',
                                                               '--offline', '--address', '--save'))):
        p.add_argument(arg, **how)
    a = p.parse_args()
    hook(a.site, {'time': a.time, 'hide': a.hide.split(','), 'preserve': not a.save, 'count': True})
    chromium = a.engine == 'chromium'
    b = engines.start(a.engine, DEADLINE, phone=a.phone, nowebgl=a.nowebgl)
    try:
        if chromium:
            b.d.set_page_load_timeout(DEADLINE)
        server = Server(os.path.dirname(a.site))
        base = server.url + os.path.basename(a.site) + '/'  # under a path
        b.get(base + (f'#at={a.at}' if a.at is not None else ''))
        js = b.js
        # Chromium's driver can answer a load (or a reload) before the page's
        # document runs scripts: seen on a busy machine as the page set its
        # address. A count waits for the hooks.
        count = lambda: until('the page never ran its hooks',
                              lambda: [n] if (n := js('return window.vellmoorFrames')) is not None else None)[0]
        more = lambda n: (want := count() + n, until(f'{n} more frames', lambda: count() >= want))
        state = lambda: js("return document.getElementById('state').textContent")
        if a.nowebgl:
            until('the page did not say that it needs WebGL', lambda: 'WebGL' in state())
        else:
            more(3)
            marks, longest, shift = js('return [vellmoorMarks, vellmoorLongest, vellmoorShift]')
            print(f'the spinner showed {len(marks)} marks; longest task {longest:.0f} ms, layout shift {shift:.4f}')
            if len(set(marks)) < 4 or sum(m != n for m, n in zip(marks, marks[1:])) < 3:
                sys.exit(f'FAIL: the spinner did not turn on the page: {marks}')
            if longest > LONGEST or shift > 0.02:  # the strict figures are bench/lighthouse.py's
                sys.exit(f'FAIL: a task of {longest:.0f} ms held the page, or it shifted by {shift:.4f}')
        shot = lambda: js("return document.getElementById('canvas').toDataURL()")

        def picture(k):  # once two shots agree
            png = until('the picture did not hold still', lambda: shot() == (time.sleep(0.3), shot())[1] and shot())
            name = f'{a.work}/{a.name}-{k}'
            with open(name + '.png', 'wb') as f:
                f.write(base64.b64decode(png.split(',')[1]))
            with open(name + '.triangles', 'w') as f:  # the picture's frame is the last one drawn
                f.write(str(js('return window.vellmoorTriangles')))
            return png

        if a.views:
            with open(f'{a.work}/side', 'w') as f:
                f.write(str(js("return document.getElementById('canvas').width")))
            first = picture(1)
            if a.at is not None and (seen := js("return document.getElementById('second').textContent")) != keeping.utc(a.at):
                sys.exit(f'FAIL: the landscape of #at={a.at} was shown as of {seen}')
            b.keys(*['Left'] * 3, *['PageUp'] * 2)
            more(3)
            picture(2)
            if loose := js('return window.vellmoorLoose'):
                sys.exit(f'FAIL: keys left to move the page: {loose}')
        if a.views and chromium:  # flying: no violation of the accessibility rules axe-core knows
            with open(os.path.join(os.environ['VELLMOOR_NPM_TOOLS'], 'node_modules', 'axe-core', 'axe.min.js')) as f:
                js(f.read())
            if found := b.d.execute_async_script('axe.run().then(r => arguments[0](r.violations.map(v => v.id)))'):
                sys.exit(f'FAIL: axe-core finds {found}')
            d = b.d
            canvas = d.find_element('id', 'canvas')
            ActionChains(d).move_to_element(canvas).click_and_hold().move_by_offset(0, 40).release().perform()
            more(3)
            picture(3)
            ActionChains(d).move_to_element(canvas).click_and_hold().move_by_offset(180, 0).release().perform()
            more(3)
            picture(4)  # turned to the wall at +x, whose strips are drawn last
            page = d.current_window_handle  # behind another tab for 2 s: no frame
            d.switch_to.new_window('tab')
            time.sleep(2)
            d.close()
            d.switch_to.window(page)
            if not js('return window.vellmoorWasHidden'):
                sys.exit('FAIL: the page behind another tab was not hidden')
            more(3)
            if hidden := js('return window.vellmoorHidden'):
                sys.exit(f'FAIL: {hidden} frames drawn while the page was hidden')
            b.keys('Tab')
            until('Tab did not leave the picture', lambda: js('return document.activeElement') != canvas)
            b.click('pause')
            until('pause did not say so', lambda: state() == 'Paused.')
            held = (count(), time.sleep(1), shot())
            if count() > held[0] + 1:  # one may have been asked for already
                sys.exit(f'FAIL: {count() - held[0]} frames drawn while paused')
            js("window.lose = arguments[0].getContext('webgl').getExtension('WEBGL_lose_context'); lose.loseContext()", canvas)
            until('a lost context was not said', lambda: 'WebGL context' in state())
            lost = (count(), js('lose.restoreContext()'))[0]
            until('no frame on the restored context', lambda: count() > lost)
            if shot() != held[2]:
                sys.exit('FAIL: the picture drawn on the restored context differs')
            b.click('pause')
            more(3)
            until('"Flying." not said again', lambda: state() == 'Flying.')
        if a.views and not a.hide:
            runs.layouts(b, more, until)
        if a.phone:
            d = b.d
            size = js("const c = document.getElementById('canvas'), r = c.getBoundingClientRect();"
                      'return [c.width, r.width, r.left, r.right, innerWidth, document.documentElement.scrollWidth]')
            if size[0] != round(2 * size[1]) or size[0] <= 500 or size[2] < 0 or size[3] > size[4] or size[5] > size[4]:
                sys.exit(f'FAIL: buffer, width, left, right, window, page width: {size}')
            start = shot()
            touch = lambda kind, x: d.execute_cdp_cmd('Input.dispatchTouchEvent', {'type': kind, 'touchPoints': [
                {'x': size[2] + size[1] / 2 + x, 'y': 300}] if kind != 'touchEnd' else []})
            for step in range(7):
                touch('touchMove' if step else 'touchStart', 10 * step)
            touch('touchEnd', 0)
            more(3)
            if shot() == start or js('return scrollY'):
                sys.exit(f'FAIL: a drag of one finger did not turn the view, or scrolled the page {js("return scrollY")} px')
            buttons = lambda key: d.find_elements('css selector', f'button[data-key="{key}"]:not([data-shift])')[0]
            d.refresh()  # the start view again
            more(3)
            for key in ['ArrowLeft'] * 3 + ['PageUp'] * 2:
                buttons(key).click()
            more(3)
            pressed = picture('buttons')
            d.refresh()
            more(3)
            b.keys(*['Left'] * 3, *['PageUp'] * 2)
            more(3)
            if picture('keys') != pressed:
                sys.exit('FAIL: the buttons for Left x 3 and Page Up x 2 showed another view than the keys')
            for _ in range(5):
                buttons('ArrowUp').click()
            flying = (more(3), shot())[1]
            if (more(3), shot())[1] == flying:
                sys.exit('FAIL: the view did not fly after the Up button x 5')
        if a.restarts:
            runs.restarts(b, a.restarts, more, until)
        if a.address:
            keeping.address(b, base, a.time, until, more)
        if a.offline:
            keeping.offline(b, a.site, server, until, more)
        if a.save:
            keeping.save(b, a.work, a.at, until)
        if stray := js('return window.vellmoorStray'):
            sys.exit(f'FAIL: {stray} frames drawn outside an animation frame or two in one')
        if early := [text for text, drawn in js('return window.vellmoorSaid') if 'Flying' in text and not drawn]:
            sys.exit(f'FAIL: said before a frame was drawn: {early}')
        text = js("return document.getElementById('console').textContent")
        if not a.nowebgl:
            b.keys('Escape')
            until('Escape did not end the run', lambda: not js("return document.getElementById('again').hidden"))
        if a.views:  # the same landscape, from the start view
            b.click('again')
            more(3)
            if picture('again') != first:
                sys.exit('FAIL: Start again showed another picture than the first at the start view')
        with open(f'{a.work}/stdout', 'w', encoding='utf-8', newline='') as f:
            f.write(text)
        errors = js('return window.vellmoorErrors') + ([e['message'] for e in b.d.get_log('browser')
                                                        if e['level'] == 'SEVERE' and e['source'] != 'network'] if chromium else [])
        if errors:
            sys.exit('FAIL: errors on the page:\n' + '\n'.join(errors))
    finally:
        b.quit()


if __name__ == "__main__":
    main()
