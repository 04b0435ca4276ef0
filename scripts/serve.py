#!/usr/bin/python3
# Serves a built site (scripts/web.sh's) as a common static host does: a
# file's NAME.br or NAME.gz beside it, as the browser takes it, else text
# gzipped here; a year's caching for content-hashed names (NAME.HASH.EXT,
# renamed whenever they change), none without asking for the rest; ETags.
# Folders as Python's http.server has them (a listing, or a redirect to the
# name with a slash): the page takes a listing for colours.txt as a folder.
# Quiet, threaded; Ctrl+C or SIGTERM ends it.
# Usage: serve.py SITE [--port N] [--bind ADDR]
import argparse
import email.utils
import functools
import gzip
import http.server
import io
import os
import re
import signal
import sys
import urllib.parse

TYPES = {'.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8',
         '.css': 'text/css; charset=utf-8', '.txt': 'text/plain; charset=utf-8', '': 'text/plain; charset=utf-8',
         '.wasm': 'application/wasm', '.webmanifest': 'application/manifest+json', '.png': 'image/png'}
PACKED = {'.wasm', '.webmanifest'}  # compressed as text is
HASHED = re.compile(r'\.[0-9a-f]{10}\.[A-Za-z0-9]+$')
YEAR = 'public, max-age=31536000, immutable'


class Handler(http.server.SimpleHTTPRequestHandler):
    cache = 'no-cache'  # a redirect or an error: asked for again, never kept

    def log_message(self, *args):
        pass

    def end_headers(self):
        self.send_header('Cache-Control', self.cache)
        super().end_headers()

    def send_head(self):
        url = urllib.parse.urlsplit(self.path).path
        path = self.translate_path(self.path)
        if os.path.isdir(path) and url.endswith('/') and os.path.isfile(os.path.join(path, 'index.html')):
            path = os.path.join(path, 'index.html')
        if not os.path.isfile(path):  # a folder, a missing file or a file's name with a slash
            return super().send_head()
        ext = os.path.splitext(path)[1]
        kind = TYPES.get(ext, 'application/octet-stream')
        text = kind.startswith('text/') or ext in PACKED
        takes = {c.split(';')[0].strip().lower() for c in self.headers.get('Accept-Encoding', '').split(',')}
        coding, served = None, path
        for name, suffix in (('br', '.br'), ('gzip', '.gz')):
            # One older than its file is left over from an edit: not sent
            # (whole seconds: brotli keeps no finer time).
            if text and name in takes and os.path.isfile(path + suffix) and \
                    int(os.stat(path + suffix).st_mtime) >= int(os.stat(path).st_mtime):
                coding, served = name, path + suffix
                break
        if coding is None and text and 'gzip' in takes:
            coding = 'gzip'  # zipped below, as it is read
        st = os.stat(served)
        tag = f'"{st.st_size:x}-{st.st_mtime_ns:x}-{coding or "identity"}"'
        self.cache = YEAR if HASHED.search(path) else 'no-cache'
        head = {'ETag': tag, 'Last-Modified': email.utils.formatdate(st.st_mtime, usegmt=True)}
        if text:
            head['Vary'] = 'Accept-Encoding'
        if tag in (t.strip() for t in self.headers.get('If-None-Match', '').split(',')):
            self.send_response(304)
            for k, v in head.items():
                self.send_header(k, v)
            self.end_headers()
            return None
        with open(served, 'rb') as f:
            body = f.read()
        if coding == 'gzip' and served == path:
            body = gzip.compress(body, 6, mtime=0)
        self.send_response(200)
        head.update({'Content-Type': kind, 'Content-Length': str(len(body))})
        if coding:
            head['Content-Encoding'] = coding
        for k, v in head.items():
            self.send_header(k, v)
        self.end_headers()
        return io.BytesIO(body)


def main():
    p = argparse.ArgumentParser(description='Serves a built Vellmoor site.')
    p.add_argument('site')
    p.add_argument('--port', type=int, default=8000, help='0 takes a free one')
    p.add_argument('--bind', default='127.0.0.1')
    a = p.parse_args()
    if not os.path.isdir(a.site):
        sys.exit(f'serve.py: no folder {a.site}')
    server = http.server.ThreadingHTTPServer((a.bind, a.port), functools.partial(Handler, directory=a.site))
    host, port = server.server_address[:2]
    signal.signal(signal.SIGTERM, signal.default_int_handler)  # ends as Ctrl+C does
    print(f'Serving {a.site} on http://{host}:{port}/ (Ctrl+C ends)', flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    finally:
        server.server_close()


if __name__ == '__main__':
    main()
