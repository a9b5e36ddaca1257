// The installed page's worker: it keeps the page's files from its first
// visit, so that the page opens without a network, and serves them from
// there. A new build brings a new worker (its version below changes with
// the files), which keeps the new files and drops the old.
"use strict";

const CACHE = "tessel-demo-/*VERSION*/";
const FILES = /*FILES*/;

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name !== CACHE).map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The page's own files from the cache, whatever the address's query or
// fragment says (they carry the run and the chain); all else from the network.
self.addEventListener("fetch", (event) => {
  const url = new URL(event.request.url);
  if (event.request.method !== "GET" || url.origin !== self.location.origin) return;
  // The folder's address is its index.html.
  const kept = url.pathname.endsWith("/") ? new URL("index.html", url).href : event.request;
  event.respondWith(caches.open(CACHE)
    .then((cache) => cache.match(kept, { ignoreSearch: true }))
    .then((response) => response || fetch(event.request)));
});
