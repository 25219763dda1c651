// Fits the game's 621 x 380 window into the browser window: the largest whole
// number of device pixels per game pixel that fits (at least 1), centred, so
// every picture stays sharp at any device pixel ratio.

export const GAME_WIDTH = 621;
export const GAME_HEIGHT = 380;

// Device pixels per game pixel, and the canvas's size in CSS pixels.
export function fitScale(cssWidth, cssHeight, devicePixelRatio) {
  const across = Math.floor((cssWidth * devicePixelRatio) / GAME_WIDTH);
  const down = Math.floor((cssHeight * devicePixelRatio) / GAME_HEIGHT);
  const devicePixels = Math.max(1, Math.min(across, down));
  return {
    devicePixels,
    cssWidth: (GAME_WIDTH * devicePixels) / devicePixelRatio,
    cssHeight: (GAME_HEIGHT * devicePixels) / devicePixelRatio,
  };
}

// Sizes the canvas's backing store and its box; returns the device pixels per
// game pixel to draw with.
export function fitCanvas(canvas, room) {
  const ratio = window.devicePixelRatio || 1;
  const fit = fitScale(room.clientWidth, room.clientHeight, ratio);
  canvas.width = GAME_WIDTH * fit.devicePixels;
  canvas.height = GAME_HEIGHT * fit.devicePixels;
  canvas.style.width = `${fit.cssWidth}px`;
  canvas.style.height = `${fit.cssHeight}px`;
  return fit.devicePixels;
}

// A pointer position on the canvas in game pixels.
export function gamePoint(canvas, event) {
  const box = canvas.getBoundingClientRect();
  return {
    x: ((event.clientX - box.left) * GAME_WIDTH) / box.width,
    y: ((event.clientY - box.top) * GAME_HEIGHT) / box.height,
  };
}
