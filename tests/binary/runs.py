# The page's runs, checked by browser.py: the keys as each keyboard layout
# makes them, and runs ended and started again.
import sys

import engines

# Key events as each layout's key makes them: key, code, keyCode, Shift,
# and +1 where the character climbs, -1 where it sinks.
LAYOUTS = [('US', "'", 'Quote', 222, False, 1), ('US', '/', 'Slash', 191, False, -1),
           ('German', "'", 'Backslash', 191, True, 1), ('German', '/', 'Digit7', 55, True, -1),
           ('German', '?', 'Minus', 219, True, -1), ('French', "'", 'Digit4', 52, False, 1),
           ('French', '"', 'Digit3', 51, False, 1), ('French', '?', 'Comma', 188, True, -1)]
PRESS = """const c = document.getElementById('canvas');
c.focus();
for (let k = 0; k < arguments[4]; ++k)
  for (const type of ['keydown', 'keyup']) {
    const e = new KeyboardEvent(type, {key: arguments[0], code: arguments[1], shiftKey: arguments[3], bubbles: true, cancelable: true});
    Object.defineProperty(e, 'keyCode', {value: arguments[2]});
    Object.defineProperty(e, 'which', {value: arguments[2]});
    c.dispatchEvent(e);
  }"""


def layouts(b, more, until):
    """Each layout's key climbs or sinks as its character says; S stops."""
    eye = lambda: b.js('return window.vellmoorEye')
    stop = ('s', 'KeyS', 83, False, 1)
    for layout, key, code, keycode, shift, way in LAYOUTS:
        b.js(PRESS, *stop)
        start = (more(3), eye())[1]
        if (more(3), eye())[1] != start:
            sys.exit(f'FAIL: S did not stop the eye ({start} then {eye()})')
        b.js(PRESS, key, code, keycode, shift, 3)
        until(f'{layout} {key} moved nothing', lambda: abs(eye() - start) > 0.05)
        if (eye() - start) * way < 0:
            sys.exit(f"FAIL: the {layout} layout's {key} {'sank' if way > 0 else 'climbed'} ({start} to {eye()})")
    b.js(PRESS, *stop)


def restarts(b, n, more, until):
    """n runs ended with Escape (and the window resized) and started again:
    no frame nor reshape for an ended run, no listener nor run kept."""
    d = b.d
    calls = lambda: b.js('return window.vellmoorCalls')
    listeners = lambda: d.execute_cdp_cmd('Memory.getDOMCounters', {})['jsEventListeners']
    first = listeners()
    for k in range(n):
        b.keys('Escape')
        until('Escape did not end the run', lambda: d.find_element('id', 'again').is_displayed())
        ended = calls()
        d.execute_cdp_cmd('Emulation.setDeviceMetricsOverride', {'width': engines.WIDTH - 80 * (k % 2 == 0),
                          'height': engines.HEIGHT, 'deviceScaleFactor': 1, 'mobile': False})
        d.execute_async_script('let n = 3; const f = () => --n ? requestAnimationFrame(f) : arguments[0](); f();')
        if calls() != ended:
            sys.exit(f'FAIL: {calls() - ended} frames or reshapes after the run ended')
        b.click('again')
        more(3)
    d.execute_script('gc()')  # a weak reference goes after the task that collected it
    kept = d.execute_script('gc(); return vellmoorRuns.filter(r => r.deref()).length')
    if kept != 1 or listeners() != first:
        sys.exit(f'FAIL: after {n} runs ended, {kept} runs kept (1 live); listeners {first} after the first, {listeners()} now')
