#!/usr/bin/python3
"""The page through Lighthouse 12.2.3 in headless Chromium on SwiftShader,
each site served as users get it, by scripts/serve.py. Each site loads as a
phone (Lighthouse's default: a mid-range phone, simulated throttling) and as
a desktop (--preset=desktop), RUNS times each, one run at a time; of each,
the run with the median performance score is shown: the category scores,
the load metrics, its long tasks and its layout shifts. Two or more sites
(before and after a change) stand side by side.

Usage: bench/lighthouse.py SITE [SITE2 ...] [--runs 3] [--json DIR]
(SITE: build-web/site, from scripts/web.sh; --json keeps the reports and
traces). Installs Lighthouse 12.2.3 into build-npm/ when it isn't there.
"""
import argparse
import contextlib
import json
import os
import signal
import socket
import subprocess
import sys
import tempfile
import time

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..')
LIGHTHOUSE = os.path.join(ROOT, 'build-npm', 'node_modules', '.bin', 'lighthouse')
VERSION = '12.2.3'  # build-npm/ is shared: another tool's install may move an unpinned one
# no GPU here: WebGL on SwiftShader
FLAGS = '--headless=new --no-sandbox --enable-unsafe-swiftshader --use-angle=swiftshader'
FORMS = (('phone', []), ('desktop', ['--preset=desktop']))
RUN_LIMIT = 300  # s a run at most; one takes 15-20 s on 2 cores, Lighthouse waits 45 s at most for load
SCORES = ('performance', 'accessibility', 'best-practices', 'seo')
METRICS = (('total blocking time, ms', 'total-blocking-time', 1, '{:.0f}'),
           ('cumulative layout shift', 'cumulative-layout-shift', 1, '{:.3f}'),
           ('largest contentful paint, s', 'largest-contentful-paint', 1000, '{:.2f}'),
           ('first contentful paint, s', 'first-contentful-paint', 1000, '{:.2f}'),
           ('time to interactive, s', 'interactive', 1000, '{:.2f}'))


@contextlib.contextmanager
def served(site):
    """The site's URL while scripts/serve.py serves it on a free port."""
    with socket.socket() as s:
        s.bind(('127.0.0.1', 0))
        port = s.getsockname()[1]
    log = tempfile.TemporaryFile('w+')  # its output, shown if it fails
    server = subprocess.Popen(['/usr/bin/python3', os.path.join(ROOT, 'scripts', 'serve.py'), site,
                               '--port', str(port)], stdout=log, stderr=log)
    try:
        deadline = time.monotonic() + 20
        while True:
            try:
                socket.create_connection(('127.0.0.1', port), timeout=1).close()
                break
            except OSError:
                if server.poll() is not None or time.monotonic() > deadline:
                    log.seek(0)
                    sys.exit(f'scripts/serve.py {site}: nothing on port {port}\n{log.read()[-2000:]}')
                time.sleep(0.05)  # polling, bounded by the deadline
        yield f'http://127.0.0.1:{port}/'
    finally:
        server.terminate()
        try:
            server.wait(5)
        except subprocess.TimeoutExpired:
            server.kill()
            server.wait()


def lighthouse(url, extra, path):
    """One run's report and its wall time, s; the trace goes beside it."""
    start = time.monotonic()
    run = subprocess.Popen([LIGHTHOUSE, url, '--quiet', '--output=json', f'--output-path={path}', '--save-assets',
                            f'--chrome-flags={FLAGS}', *extra], env=dict(os.environ, CHROME_PATH='/usr/bin/chromium'),
                           stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    try:
        err = run.communicate(timeout=RUN_LIMIT)[1]
    except BaseException:  # too long, or we're stopped: SIGTERM lets it stop its Chromium (killed, it can't)
        run.terminate()
        try:
            run.wait(20)
        except subprocess.TimeoutExpired:
            run.kill()
        raise
    if run.returncode or not os.path.exists(path):
        sys.exit(f'lighthouse {url} {" ".join(extra)} failed ({run.returncode}):\n{err[-2000:]}')
    report = json.load(open(path))
    if report.get('runtimeError'):
        sys.exit(f'lighthouse {url}: {report["runtimeError"]}')
    return report, time.monotonic() - start


def shifts_in_trace(path):
    """The main frame's layout shifts in a run's saved trace, the biggest
    first: (score, each element with how far it moved (y) and grew (h), px).
    12.2.3 can't read this Chromium's frame events, so its layout-shifts audit
    fails. Shifts flagged as after input are kept, marked: Lighthouse counts
    early ones, as its own emulation's resize sets the flag."""
    events = json.load(open(path[:-5] + '-0.trace.json'))['traceEvents']
    names = {e['args']['data']['nodeId']: e['args']['data'].get('nodeName', '?')
             for e in events if e['name'] == 'LayoutInvalidationTracking'}
    shifts = []
    for d in (e['args'].get('data', {}) for e in events if e['name'] == 'LayoutShift'):
        moved = []
        for n in d.get('impacted_nodes', []):
            (_, y0, _, h0), (_, y1, _, h1) = n['old_rect'], n['new_rect']
            moved.append(f'{names.get(n["node_id"], n["node_id"])} (y {y1 - y0:+d}, h {h1 - h0:+d})')
        if d.get('is_main_frame', True):
            shifts.append((d.get('weighted_score_delta', 0),
                           ('after input: ' if d.get('had_recent_input') else '') + ', '.join(moved)))
    return sorted(shifts, reverse=True)


def score(report, key):
    s = report['categories'][key]['score']
    return -1 if s is None else round(s * 100)


def median_run(runs):
    """The run with the median performance score (the lower of two), its
    layout shifts, and each run's score."""
    runs = sorted(runs, key=lambda run: score(run[0], 'performance'))
    report, took, path = runs[(len(runs) - 1) // 2]
    audit = report['audits']['layout-shifts']
    if audit.get('scoreDisplayMode') == 'error':
        shifts = shifts_in_trace(path)
    else:
        shifts = [(s['score'], (s.get('node') or {}).get('selector', '(no element)'))
                  for s in (audit.get('details') or {}).get('items', [])]
    return report, took, shifts, ' '.join(str(score(r[0], 'performance')) for r in runs)


def main():
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))  # so the server is stopped
    p = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    p.add_argument('sites', nargs='+', metavar='SITE')
    p.add_argument('--runs', type=int, default=3)
    p.add_argument('--json', metavar='DIR', help='keep the reports and traces there')
    a = p.parse_args()
    for site in a.sites:
        if not os.path.isfile(os.path.join(site, 'index.html')):
            sys.exit(f'{site}: no index.html')
    try:
        installed = json.load(open(os.path.join(ROOT, 'build-npm', 'node_modules', 'lighthouse', 'package.json')))
    except OSError:
        installed = {}
    if installed.get('version') != VERSION or not os.access(LIGHTHOUSE, os.X_OK):
        subprocess.run(['npm', 'install', '--prefix', os.path.join(ROOT, 'build-npm'), '--no-audit', '--no-fund',
                        '--loglevel=error', '--save-exact', f'lighthouse@{VERSION}'], check=True)
    names = [os.path.basename(os.path.normpath(s)) for s in a.sites]
    if len(set(names)) < len(names):
        names = [f'#{i + 1}' for i in range(len(a.sites))]
    median = {}  # (form, site index): median_run()
    with contextlib.ExitStack() as stack:
        out = a.json or stack.enter_context(tempfile.TemporaryDirectory(prefix='vellmoor-lighthouse-'))
        os.makedirs(out, exist_ok=True)
        for i, site in enumerate(a.sites):
            with served(site) as url:
                for form, extra in FORMS:
                    runs = []
                    for r in range(a.runs):
                        path = os.path.join(out, f'{names[i]}-{form}-{r + 1}.json')
                        runs.append(lighthouse(url, extra, path) + (path,))
                        print(f'{names[i]} {form} run {r + 1}: performance {score(runs[-1][0], "performance")}, '
                              f'{runs[-1][1]:.0f} s', file=sys.stderr)
                    median[form, i] = median_run(runs)

    head = median['phone', 0][0]
    print(f'Lighthouse {head["lighthouseVersion"]}, {head["environment"]["hostUserAgent"].split(") ")[-1]}; '
          f'of {a.runs} run(s) each, the median by performance score')
    for name, site in zip(names, a.sites):
        if name.startswith('#'):
            print(f'{name}: {site}')
    cols = [(form, i) for form, _ in FORMS for i in range(len(a.sites))]
    print(f'{"":30}' + ''.join(f'{names[i]:>18.17}' for form, i in cols))
    print(f'{"":30}' + ''.join(f'{form:>18}' for form, i in cols))
    rows = [(key, lambda rep, k=key: str(score(rep, k))) for key in SCORES]
    rows += [(label, lambda rep, k=key, d=scale, f=fmt: '-' if rep['audits'][k].get('numericValue') is None
              else f.format(rep['audits'][k]['numericValue'] / d)) for label, key, scale, fmt in METRICS]
    for label, get in rows:
        print(f'{label:30}' + ''.join(f'{get(median[c][0]):>18}' for c in cols))
    print(f'{"performance, each run":30}' + ''.join(f'{median[c][3]:>18}' for c in cols))
    print(f'{"that run took, s":30}' + ''.join(f'{median[c][1]:>18.0f}' for c in cols))
    # Lighthouse's own CPU speed measure; low when something else is running
    print(f'{"host benchmark index":30}' + ''.join(f'{median[c][0]["environment"]["benchmarkIndex"]:>18.0f}'
                                                  for c in cols))

    for form, i in cols:
        report, _, shifts, _ = median[form, i]
        print(f'\n{form} {names[i]}:')
        for warning in report.get('runWarnings', []):
            print(f'  warning: {warning}')
        tasks = (report['audits']['long-tasks'].get('details') or {}).get('items', [])
        print(f'  long tasks: {len(tasks)}' + ('' if tasks else ', none'))
        for t in tasks:
            print(f'  {t["duration"]:8.0f} ms at {t.get("startTime", 0):6.0f} ms  {t["url"]}')
        where = ' (from the trace)' if report['audits']['layout-shifts'].get('scoreDisplayMode') == 'error' else ''
        print(f'  layout shifts{where}: {len(shifts)}' + ('' if shifts else ', none'))
        for value, elements in shifts:
            print(f'  {value:8.4f}  {elements}')


if __name__ == '__main__':
    main()
