// Keeps the site for a visit without the network. scripts/web.sh writes the
// site's files and a version named after their content into the two lines
// below. Each version has a cache of its own, filled whole when this worker
// installs and the old ones deleted once it takes over, so the page offline
// is one version, never a mix. Online, every file comes from the network
// as without this worker (a new site at once); the cache answers only when
// the network cannot.
'use strict';
const version = 'unbuilt';
const files = [];
const cache = 'vellmoor-' + version;

self.addEventListener('install', event => {
  event.waitUntil(caches.open(cache).then(c => c.addAll(files.map(f => new Request(f, {cache: 'reload'}))))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', event => {
  event.waitUntil(caches.keys().then(names => Promise.all(names.filter(n => n.startsWith('vellmoor-') && n !== cache)
    .map(n => caches.delete(n)))).then(() => self.clients.claim()));
});

self.addEventListener('fetch', event => {
  if (event.request.method !== 'GET')
    return;
  event.respondWith(fetch(event.request).catch(() => caches.open(cache)
    .then(c => c.match(event.request, {ignoreSearch: true}))
    .then(kept => kept || Response.error())));
});
