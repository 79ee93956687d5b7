// Keeps the page's files so that it plays offline: each from the network while that answers,
// so a new version shows at once, and from the copy kept when it does not. One copy a file,
// whatever the address's query (?board=...), and one version: the others' copies go.
const CACHE = 'tilzo-@PROJECT_VERSION@';
const FILES = ['./', 'tilzo.css', 'kept.js', 'page.js', 'access.js', 'overlay.js', 'hints.js', 'par.js', 'solver.js',
  'solver.wasm', 'tilzo.js', 'tilzo.wasm', 'tilzo.data', 'manifest.webmanifest',
  ...[32, 48, 128, 192, 256, 512, 'maskable-512'].map(icon => `icons/${icon}.png`)];

// The address a file is kept under: without the query, and the page under its folder's name.
function fileOf(request) {
  const address = new URL(request.url);
  address.search = '';
  address.pathname = address.pathname.replace(/\/index\.html$/, '/');
  return address.href;
}

self.addEventListener('install', event => {
  event.waitUntil(caches.open(CACHE).then(cache => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', event => event.waitUntil(
  caches.keys().then(names => Promise.all(names.filter(name => name != CACHE).map(name => caches.delete(name))))
    .then(() => self.clients.claim())));

self.addEventListener('fetch', event => {
  if (event.request.method != 'GET' || new URL(event.request.url).origin != location.origin)
    return;
  event.respondWith(fetch(event.request).then(response => {
    if (response.ok) {
      const copy = response.clone();
      event.waitUntil(caches.open(CACHE).then(cache => cache.put(fileOf(event.request), copy)));
    }
    return response;
  }).catch(() => caches.match(fileOf(event.request))));
});
