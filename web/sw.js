// The page's service worker: it keeps every file of the page in a cache of
// its build and serves them from there, so that the game opens and plays
// without a network. web/precache.mjs writes the build's name and its files
// into the copy beside the page; a new build is a new worker, which fetches
// its own files afresh, takes over, and drops the caches of older builds.
'use strict';

const BUILD = 'unbuilt';
const FILES = [];

// One page may be served from several folders of one site: each keeps its own.
const PREFIX = `corvane:${self.registration.scope}:`;
const CACHE = PREFIX + BUILD;

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const cache = await caches.open(CACHE);
    // Past any HTTP cache, so that the files are this build's.
    await cache.addAll(FILES.map((file) => new Request(file, { cache: 'reload' })));
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    for (const name of await caches.keys()) {
      if (name.startsWith(PREFIX) && name !== CACHE)
        await caches.delete(name);
    }
    await self.clients.claim();
  })());
});

// The page's own files from the cache (the address's query, such as a pinned
// time, does not name another file); anything else from the network.
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET')
    return;
  event.respondWith((async () => {
    // Not caches.open(), which would make the cache again once a newer
    // worker has dropped it.
    const hit = await caches.match(event.request, { ignoreSearch: true, cacheName: CACHE });
    return hit ?? fetch(event.request);
  })());
});
