// The full-screen button beside the notes: the whole page (game, notes and
// on-screen controls) goes full screen, and on a phone it asks to lie on its
// side, where the game is largest. A browser without the Fullscreen API has
// no button; one that refuses the request or the orientation leaves the page
// as it is. F11 stays the browser's own.

import { pageTexts } from './page_texts.js';

const isPhone = () => matchMedia('(pointer: coarse)').matches;

async function lockLandscape() {
  if (!isPhone() || !screen.orientation || !screen.orientation.lock) {
    return;
  }
  try {
    await screen.orientation.lock('landscape');
  } catch {
    // Most browsers lock only installed apps, or none: upright is fine too.
  }
}

async function toggle() {
  try {
    if (document.fullscreenElement) {
      await document.exitFullscreen();
    } else {
      await document.documentElement.requestFullscreen({ navigationUI: 'hide' });
      await lockLandscape();
    }
  } catch (error) {
    console.warn(`ムニュラ: full screen was refused (${error.message})`);
  }
}

export function attachFullscreenButton(button) {
  if (!document.fullscreenEnabled) {
    button.hidden = true;
    return;
  }
  const label = () => {
    const full = document.fullscreenElement !== null;
    button.textContent = full ? pageTexts.leaveFullscreen() : pageTexts.fullscreen();
    button.setAttribute('aria-pressed', String(full));
  };
  // The game's keys go to the game, never to a button left focused.
  button.addEventListener('pointerdown', (event) => event.preventDefault());
  button.addEventListener('click', () => {
    button.blur();
    toggle();
  });
  document.addEventListener('fullscreenchange', label);
  label();
  button.hidden = false;
}
