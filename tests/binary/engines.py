# The browser engines the page is tested in, each from Debian's own
# packages, downloading no browser: Chromium (headless, on SwiftShader)
# through chromedriver; Firefox ESR through its own WebDriver BiDi server;
# WebKitGTK (Safari's engine) through WebKitWebDriver and MiniBrowser. The
# last two run on the test's X display, where they draw WebGL with Mesa's
# llvmpipe. Each offers the same verbs: get, js, keys, drag, click, quit.
import glob
import json
import re
import shutil
import subprocess
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

KEYS = {'Left': Keys.LEFT, 'PageUp': Keys.PAGE_UP, 'Escape': Keys.ESCAPE, 'Tab': Keys.TAB, '"': '"', 's': 's'}
CENTRE = "const r = document.getElementById('canvas').getBoundingClientRect(); return [r.x + r.width / 2, r.y + r.height / 2]"
WIDTH, HEIGHT = 1280, 800  # the page's window, CSS pixels


class Selenium:
    def __init__(self, driver):
        self.d = driver

    def get(self, url):
        self.d.get(url)

    def js(self, script, *args):  # scripts return as WebDriver's do
        return self.d.execute_script(script, *args)

    def keys(self, *names):  # real key input, on the picture (unfound: WebDriver keeps what it finds, and so a canvas)
        self.js("document.getElementById('canvas').focus()")
        ActionChains(self.d).send_keys(*[KEYS[n] for n in names]).perform()

    def drag(self, dx, dy):  # from the picture's centre
        ActionChains(self.d).move_to_element(self.d.find_element('id', 'canvas')).click_and_hold() \
            .move_by_offset(dx, dy).release().perform()

    def click(self, name):
        self.d.find_element('id', name).click()

    def quit(self):
        self.d.quit()


def chromium(phone=False, nowebgl=False, llvmpipe=False):  # SwiftShader, or Mesa's llvmpipe through ANGLE
    from selenium.webdriver.chrome.service import Service
    o = webdriver.ChromeOptions()
    o.binary_location = '/usr/bin/chromium'
    gl = ('use-gl=angle', 'use-angle=gl-egl', 'ignore-gpu-blocklist') if llvmpipe else ('enable-unsafe-swiftshader', 'use-angle=swiftshader')
    for arg in ('headless=new', 'no-sandbox', 'window-size=1280,900', 'js-flags=--expose-gc') + gl + \
            (('disable-3d-apis',) if nowebgl else ()):
        o.add_argument('--' + arg)
    o.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
    d = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=o)
    d.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {'width': 390, 'height': 844, 'deviceScaleFactor': 2, 'mobile': True}
                      if phone else {'width': WIDTH, 'height': HEIGHT, 'deviceScaleFactor': 1, 'mobile': False})
    d.execute_cdp_cmd('Emulation.setTouchEmulationEnabled', {'enabled': phone, 'maxTouchPoints': 1})
    return Selenium(d)


def webkit():
    from selenium.webdriver.webkitgtk.options import Options
    o = Options()
    o.binary_location = sorted(glob.glob('/usr/lib/*/webkit*/MiniBrowser'))[-1]
    o.add_argument('--automation')
    try:  # Debian 13's Selenium takes a service; Debian 12's, a path
        from selenium.webdriver.webkitgtk.service import Service
        d = webdriver.WebKitGTK(options=o, service=Service('/usr/bin/WebKitWebDriver'))
    except TypeError:
        d = webdriver.WebKitGTK(options=o, executable_path='/usr/bin/WebKitWebDriver')
    d.set_window_rect(0, 0, WIDTH, HEIGHT + 100)  # MiniBrowser's toolbar above the page
    return Selenium(d)


class Firefox:
    """Firefox ESR through WebDriver BiDi over a WebSocket: no geckodriver."""

    def __init__(self, deadline):
        import websocket
        self.profile = tempfile.mkdtemp()
        self.p = subprocess.Popen(['firefox-esr', '--no-remote', '--profile', self.profile, '--remote-debugging-port', '0'],
                                  stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True, errors='replace')
        for line in self.p.stderr:  # it names its address first
            if found := re.search(r'WebDriver BiDi listening on (ws://\S+)', line):
                break
        else:
            raise RuntimeError('Firefox ended before its WebDriver BiDi server started')
        threading.Thread(target=lambda: self.p.stderr.read(), daemon=True).start()  # the rest, unread
        self.ws = websocket.create_connection(found[1] + '/session', suppress_origin=True, timeout=deadline)
        self.sent = 0
        self.cmd('session.new', capabilities={})
        self.tab = self.cmd('browsingContext.getTree')['contexts'][0]['context']
        self.cmd('browsingContext.setViewport', context=self.tab, viewport={'width': WIDTH, 'height': HEIGHT})

    def cmd(self, method, **params):
        self.sent += 1
        self.ws.send(json.dumps({'id': self.sent, 'method': method, 'params': params}))
        while (answer := json.loads(self.ws.recv())).get('id') != self.sent:
            pass  # an event
        if answer.get('type') == 'error':
            raise RuntimeError(f"{method}: {answer.get('error')}: {answer.get('message')}")
        return answer['result']

    def get(self, url):
        self.cmd('browsingContext.navigate', context=self.tab, url=url, wait='complete')

    def js(self, script, *args):
        local = lambda v: {'type': 'null'} if v is None else {'type': {bool: 'boolean', int: 'number', float: 'number',
                                                                         str: 'string'}[type(v)], 'value': v}
        r = self.cmd('script.callFunction', functionDeclaration='function () {' + script + '\n}', awaitPromise=True,
                     arguments=[local(a) for a in args], target={'context': self.tab})
        if r['type'] == 'exception':
            raise RuntimeError(r['exceptionDetails']['text'])
        return plain(r['result'])

    def keys(self, *names):
        self.js("document.getElementById('canvas').focus()")
        strokes = [{'type': kind, 'value': KEYS[n]} for n in names for kind in ('keyDown', 'keyUp')]
        self.cmd('input.performActions', context=self.tab, actions=[{'type': 'key', 'id': 'keyboard', 'actions': strokes}])

    def drag(self, dx, dy):
        x, y = (round(v) for v in self.js(CENTRE))
        moves = [{'type': 'pointerMove', 'x': x, 'y': y}, {'type': 'pointerDown', 'button': 0},
                 {'type': 'pointerMove', 'x': x + dx, 'y': y + dy, 'duration': 200}, {'type': 'pointerUp', 'button': 0}]
        self.cmd('input.performActions', context=self.tab, actions=[{'type': 'pointer', 'id': 'mouse',
                 'parameters': {'pointerType': 'mouse'}, 'actions': moves}])

    def click(self, name):
        self.js('document.getElementById(arguments[0]).click()', name)

    def quit(self):
        try:
            self.cmd('browser.close')
        finally:
            try:
                self.p.wait(timeout=30)
            except subprocess.TimeoutExpired:
                self.p.kill()
            shutil.rmtree(self.profile, ignore_errors=True)


def plain(v):  # a BiDi remote value as Python's
    kind, value = v['type'], v.get('value')
    if kind == 'array':
        return [plain(e) for e in value]
    if kind == 'object':
        return {k: plain(e) for k, e in value}
    return None if kind in ('null', 'undefined') else value


def start(engine, deadline, **how):
    return {'chromium': lambda: chromium(**how), 'firefox': lambda: Firefox(deadline), 'webkit': webkit}[engine]()
