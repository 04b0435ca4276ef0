# The web page in headless Chromium (SwiftShader) through WebDriver, in a
# 1280 x 800 window: serves SITE, waits for frames; with --views keeps the
# canvas as WORK/web-1.png (start), -2 (Left x 3, Page Up x 2), -3 (a drag
# 40 pixels down), -4 (then one 180 pixels right), its side in WORK/side,
# then checks Tab, pause and a lost context. --phone: a 390 x 844 touch
# screen at twice the density. --nowebgl: a browser without WebGL. Escape
# must end the run; the console's text goes to WORK/stdout. Fails on an
# error on the page, a key's default action left undone, or "Flying." said
# before a frame. --time freezes Date.now.
import argparse
import base64
import functools
import os
import http.server
import sys
import threading
import time

from selenium import webdriver
from selenium.common.exceptions import TimeoutException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

DEADLINE = 90  # seconds for any one wait
# Before the page's scripts run: counts frames (each clears once), those
# drawn outside an animation frame or twice in one callback, and those drawn
# while the page was hidden, and the vertices the last whole frame drew; keeps the keys whose default action (scrolling,
# typing) was left to the page, and keeps each frame readable until the next
# (a busy renderer can miss WebDriver's 10 s for a screenshot).
COUNTER = """window.vellmoorFrames = window.vellmoorStray = window.vellmoorHidden = window.vellmoorVertices = 0;
let tally = 0;  // vertices drawn since the last clear
const arrays = WebGLRenderingContext.prototype.drawArrays;
WebGLRenderingContext.prototype.drawArrays = function (m, first, n) { tally += n; return arrays.call(this, m, first, n); };
const extension = WebGLRenderingContext.prototype.getExtension;
WebGLRenderingContext.prototype.getExtension = function (name) {
  const e = extension.call(this, name);
  if (e && name === 'WEBGL_multi_draw' && !e.counted) {
    const multi = e.multiDrawArraysWEBGL;
    e.multiDrawArraysWEBGL = function (m, f, fo, counts, co, n) {
      for (let k = 0; k < n; ++k) tally += counts[co + k];
      return multi.call(this, m, f, fo, counts, co, n);
    };
    e.counted = true;
  }
  return e;
};
window.vellmoorLoose = [];
window.addEventListener('keydown', e => setTimeout(() => e.defaultPrevented || window.vellmoorLoose.push(e.key)), true);
document.addEventListener('visibilitychange', () => document.hidden && (window.vellmoorWasHidden = true));
let drawn = null;  // frames drawn in the running animation-frame callback; null outside one
const raf = window.requestAnimationFrame.bind(window);
window.requestAnimationFrame = f => raf(t => { drawn = 0; try { f(t); } finally { drawn = null; } });
const clear = WebGLRenderingContext.prototype.clear;
WebGLRenderingContext.prototype.clear = function (bits) {
  ++window.vellmoorFrames;
  window.vellmoorVertices = tally;
  tally = 0;
  window.vellmoorStray += drawn === null || ++drawn > 1;
  window.vellmoorHidden += document.hidden;
  return clear.call(this, bits);
};
const get = HTMLCanvasElement.prototype.getContext;
HTMLCanvasElement.prototype.getContext = function (t, a) { return get.call(this, t, {...a, preserveDrawingBuffer: true}); };
window.vellmoorSaid = [];  // the status line's texts, each with the frames drawn by then
addEventListener('DOMContentLoaded', () => { const s = document.getElementById('state');
  new MutationObserver(() => vellmoorSaid.push([s.textContent, vellmoorFrames])).observe(s, {childList: true, subtree: true}); });"""

# WebGL without WEBGL_multi_draw, as some browsers are.
SINGLE = """const supported = WebGLRenderingContext.prototype.getSupportedExtensions;
WebGLRenderingContext.prototype.getSupportedExtensions = function () { return (supported.call(this) || []).filter(e => e !== 'WEBGL_multi_draw'); };
const offered = WebGLRenderingContext.prototype.getExtension;
WebGLRenderingContext.prototype.getExtension = function (n) { return n === 'WEBGL_multi_draw' ? null : offered.call(this, n); };"""


def until(what, test):  # a renderer too busy to answer in time is asked again
    end = time.monotonic() + DEADLINE
    while time.monotonic() < end:
        try:
            if got := test():
                return got
        except TimeoutException:
            pass
        time.sleep(0.05)
    sys.exit(f'FAIL: {what} (gave up after {DEADLINE} s)')


def serve(site):
    handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=site)
    handler.func.log_message = lambda *a: None
    httpd = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
    threading.Thread(target=httpd.serve_forever, daemon=True).start()
    return f'http://127.0.0.1:{httpd.server_address[1]}/'


def browser(phone=False, nowebgl=False):
    o = webdriver.ChromeOptions()
    o.binary_location = '/usr/bin/chromium'
    for arg in ('headless=new', 'no-sandbox', 'enable-unsafe-swiftshader', 'use-angle=swiftshader',
                'window-size=1280,900') + (('disable-3d-apis',) if nowebgl else ()):
        o.add_argument('--' + arg)
    o.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
    d = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=o)
    d.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {'width': 390, 'height': 844, 'deviceScaleFactor': 2, 'mobile': True}
                      if phone else {'width': 1280, 'height': 800, 'deviceScaleFactor': 1, 'mobile': False})
    d.execute_cdp_cmd('Emulation.setTouchEmulationEnabled', {'enabled': phone, 'maxTouchPoints': 1})
    return d


def main():
    p = argparse.ArgumentParser()
    for arg, how in (('site', {}), ('work', {}), ('--time', {'type': int}), *((f, {'action': 'store_true'})
                     for f in ('--views', '--single', '--phone', '--nowebgl'))):
        p.add_argument(arg, **how)
    a = p.parse_args()
    d = browser(a.phone, a.nowebgl)
    try:
        d.set_page_load_timeout(DEADLINE)
        script = COUNTER + (f'\nDate.now = () => {a.time * 1000};' if a.time is not None else '')
        script += '\n' + SINGLE if a.single else ''
        d.execute_cdp_cmd('Page.addScriptToEvaluateOnNewDocument', {'source': script})
        d.get(serve(os.path.dirname(a.site)) + os.path.basename(a.site) + '/')  # under a path
        frames = lambda: d.execute_script('return window.vellmoorFrames')
        more = lambda n: (want := frames() + n, until(f'{n} more frames', lambda: frames() >= want))
        state = lambda: d.find_element('id', 'state').text
        if a.nowebgl:
            until('the page did not say that it needs WebGL', lambda: 'WebGL' in state())
        else:
            more(3)
        canvas = d.find_element('id', 'canvas')
        js = d.execute_script

        shot = lambda: d.execute_script("return document.getElementById('canvas').toDataURL()")

        def picture(k):  # once two shots agree
            png = until('the picture did not hold still', lambda: shot() == (time.sleep(0.3), shot())[1] and shot())
            name = f"{a.work}/{'single' if a.single else 'web'}-{k}"
            with open(name + '.png', 'wb') as f:
                f.write(base64.b64decode(png.split(',')[1]))
            with open(name + '.vertices', 'w') as f:  # the picture's frame is the last one drawn
                f.write(str(d.execute_script('return window.vellmoorVertices')))
            return png

        if a.views:
            with open(f'{a.work}/side', 'w') as f:
                f.write(str(js('return arguments[0].width', canvas)))
            picture(1)
            ActionChains(d).send_keys_to_element(canvas, *[Keys.LEFT] * 3, *[Keys.PAGE_UP] * 2).perform()
            more(3)
            picture(2)
            if loose := d.execute_script('return window.vellmoorLoose'):
                sys.exit(f'FAIL: keys left to move the page: {loose}')
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
            if not d.execute_script('return window.vellmoorWasHidden'):
                sys.exit('FAIL: the page behind another tab was not hidden')
            more(3)
            if hidden := d.execute_script('return window.vellmoorHidden'):
                sys.exit(f'FAIL: {hidden} frames drawn while the page was hidden')
            ActionChains(d).send_keys_to_element(canvas, Keys.TAB).perform()
            until('Tab did not leave the picture', lambda: js('return document.activeElement') != canvas)
            d.find_element('id', 'pause').click()
            until('pause did not say so', lambda: state() == 'Paused.')
            held = (frames(), time.sleep(1), shot())
            if frames() > held[0] + 1:  # one may have been asked for already
                sys.exit(f'FAIL: {frames() - held[0]} frames drawn while paused')
            js("window.lose = arguments[0].getContext('webgl').getExtension('WEBGL_lose_context'); lose.loseContext()", canvas)
            until('a lost context was not said', lambda: 'WebGL context' in state())
            lost = (frames(), js('lose.restoreContext()'))[0]
            until('no frame on the restored context', lambda: frames() > lost)
            if shot() != held[2]:
                sys.exit('FAIL: the picture drawn on the restored context differs')
            d.find_element('id', 'pause').click()
            more(3)
            until('"Flying." not said again', lambda: state() == 'Flying.')
        if a.phone:
            size = js('const r = arguments[0].getBoundingClientRect(); return [arguments[0].width, r.width, r.left, r.right,'
                      ' innerWidth, document.documentElement.scrollWidth]', canvas)
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
            ActionChains(d).send_keys_to_element(d.find_element('id', 'canvas'), *[Keys.LEFT] * 3, *[Keys.PAGE_UP] * 2).perform()
            more(3)
            if picture('keys') != pressed:
                sys.exit('FAIL: the buttons for Left x 3 and Page Up x 2 showed another view than the keys')
            for _ in range(5):
                buttons('ArrowUp').click()
            flying = (more(3), shot())[1]
            if (more(3), shot())[1] == flying:
                sys.exit('FAIL: the view did not fly after the Up button x 5')
        if stray := d.execute_script('return window.vellmoorStray'):
            sys.exit(f'FAIL: {stray} frames drawn outside an animation frame or two in one')
        if early := [text for text, drawn in js('return window.vellmoorSaid') if 'Flying' in text and not drawn]:
            sys.exit(f'FAIL: said before a frame was drawn: {early}')
        text = d.execute_script("return document.getElementById('console').textContent")
        if not a.nowebgl:
            ActionChains(d).send_keys_to_element(d.find_element('id', 'canvas'), Keys.ESCAPE).perform()
            until('Escape did not end the run', lambda: d.find_element('id', 'again').is_displayed())
        with open(f'{a.work}/stdout', 'w', encoding='utf-8', newline='') as f:
            f.write(text)
        errors = [e['message'] for e in d.get_log('browser') if e['level'] == 'SEVERE' and e['source'] != 'network']
        if errors:
            sys.exit('FAIL: errors on the page:\n' + '\n'.join(errors))
    finally:
        d.quit()


if __name__ == "__main__":
    main()
