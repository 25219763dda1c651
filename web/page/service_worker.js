// The page's service worker: it keeps every file of the page in one cache, so
// that the game starts without a network and without a round trip. The build
// (tools/web/make-service-worker.py) puts two constants in front of this
// file: FILES, every file of the folder, and VERSION, a hash of their
// contents. A new build therefore is a new worker, which the browser fetches
// in the background on a visit, fills a cache of its own, and takes over once
// the game's last tab of the old one is gone, deleting the old cache.

// Two copies of the game on one host share the origin's caches: each keeps
// to the caches named with its own folder.
const CACHE_PREFIX = `munyura ${self.registration.scope} `;
const CACHE_NAME = `${CACHE_PREFIX}${VERSION}`;

// What a cached answer says it is, whatever the host sent: streaming
// compilation of the game takes only application/wasm.
const TYPES = {
  '.html': 'text/html',
  '.js': 'text/javascript',
  '.wasm': 'application/wasm',
  '.json': 'application/json',
  '.webmanifest': 'application/manifest+json',
  '.opus': 'audio/ogg',
  '.woff2': 'font/woff2',
  '.gif': 'image/gif',
  '.png': 'image/png',
  '.pack': 'application/octet-stream',
  '.txt': 'text/plain; charset=utf-8',
};

self.addEventListener('install', (event) => {
  // Checked with the host, not taken from the browser's HTTP cache, so the
  // bytes stored are the ones VERSION names.
  event.waitUntil(caches.open(CACHE_NAME).then((cache) =>
    cache.addAll(FILES.map((file) => new Request(file, { cache: 'no-cache' })))));
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    const names = await caches.keys();
    await Promise.all(names
      .filter((name) => name.startsWith(CACHE_PREFIX) && name !== CACHE_NAME)
      .map((name) => caches.delete(name)));
    // The first visit's page is answered from the cache from now on too.
    await self.clients.claim();
  })());
});

self.addEventListener('fetch', (event) => {
  const { request } = event;
  if (request.method === 'GET' && request.url.startsWith(self.registration.scope)) {
    event.respondWith(answer(request));
  }
});

// The folder itself is its index.html.
function cacheKey(url) {
  const key = new URL(url);
  key.search = '';
  key.hash = '';
  if (key.pathname.endsWith('/')) {
    key.pathname += 'index.html';
  }
  return key;
}

async function answer(request) {
  const key = cacheKey(request.url);
  const cached = await caches.match(key.href, { cacheName: CACHE_NAME });
  return cached ? typed(cached, key.pathname) : fetch(request);
}

function typed(response, path) {
  const type = TYPES[path.slice(path.lastIndexOf('.'))];
  if (!type || response.headers.get('Content-Type') === type) {
    return response;
  }
  const headers = new Headers(response.headers);
  headers.set('Content-Type', type);
  return new Response(response.body,
    { status: response.status, statusText: response.statusText, headers });
}
