// Hands the page to its service worker (service_worker.js), which keeps every
// file for play without a network and answers from that copy from then on.
// Where there is none (a host without HTTPS, a browser without service
// workers), or it cannot be registered, the game plays on as ever and the
// console says why in one line.

export function registerServiceWorker() {
  if (!('serviceWorker' in navigator)) {
    console.warn('ムニュラ: the page cannot be kept for play offline here (no service worker)');
    return;
  }
  navigator.serviceWorker.register('service_worker.js').catch((error) => {
    console.warn(`ムニュラ: the page cannot be kept for play offline (${error.message})`);
  });
}
