// The quiet notes outside the game's window: one paragraph each, shown while
// it has a text and hidden while it has none.

import { pageLanguage } from './page_language.js';

export function showNote(id, text) {
  const note = document.getElementById(id);
  note.textContent = text;
  note.lang = pageLanguage();
  note.hidden = !text;
}
