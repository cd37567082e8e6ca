// Keeps the whole site in the browser's cache, so that the page opens and the engine runs
// offline after the first visit. The build writes the file list and a version from the
// files' contents: a new build replaces the old cache in one step.
const kVersion = 'yinshi-dev';
const kFiles = ['./'];

self.addEventListener('install', (event) => {
  event.waitUntil(
    caches
      .open(kVersion)
      .then((cache) => cache.addAll(kFiles))
      .then(() => self.skipWaiting()),
  );
});

self.addEventListener('activate', (event) => {
  event.waitUntil(
    caches
      .keys()
      .then((names) => Promise.all(names.filter((name) => name !== kVersion).map((name) => caches.delete(name))))
      .then(() => self.clients.claim()),
  );
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  // The page itself under any query (?lang=en, ?plain=1) is the one cached page.
  const navigation = request.mode === 'navigate';
  event.respondWith(
    caches
      .open(kVersion)
      .then((cache) => cache.match(navigation ? './' : request, { ignoreSearch: navigation }))
      .then((hit) => hit || fetch(request)),
  );
});
