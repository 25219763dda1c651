// Waits for the captions' font. A font that does not load leaves the canvas
// to the browser's fallback face: one line on the console, a quiet note, and
// the game starts all the same.

import { CAPTION_FACE } from './caption_painting.js';

export async function loadCaptionFont(onMissing) {
  let faces = [];
  try {
    faces = (await Promise.all([
      document.fonts.load(`27px "${CAPTION_FACE}"`),
      document.fonts.load(`bold 15px "${CAPTION_FACE}"`),
    ])).flat();
  } catch (error) {
    faces = [{ status: 'error', reason: error.message }];
  }
  if (faces.length === 0 || faces.some((face) => face.status !== 'loaded')) {
    console.warn(`ムニュラ: the font "${CAPTION_FACE}" did not load; the captions use another face`);
    onMissing();
  }
}
