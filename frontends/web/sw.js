// Keeps the page's files so that it plays offline: each from the network while that answers,
// so a new version shows at once, and from the copy kept when it does not.
const CACHE = 'tilzo';
const FILES = ['./', 'index.html', 'tilzo.css', 'page.js', 'access.js', 'overlay.js', 'tilzo.js', 'tilzo.wasm',
  'tilzo.data', 'manifest.webmanifest', 'icons/32.png', 'icons/48.png', 'icons/128.png', 'icons/256.png'];

self.addEventListener('install', event => {
  event.waitUntil(caches.open(CACHE).then(cache => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', event => event.waitUntil(self.clients.claim()));

self.addEventListener('fetch', event => {
  if (event.request.method != 'GET')
    return;
  event.respondWith(fetch(event.request).then(response => {
    if (response.ok) {
      const copy = response.clone();
      event.waitUntil(caches.open(CACHE).then(cache => cache.put(event.request, copy)));
    }
    return response;
  }).catch(() => caches.match(event.request, {ignoreSearch: true})));
});
