// Fits the game's window into the browser window: the largest whole number
// of device pixels per game pixel that fits (at least 1), centred, so every
// picture stays sharp at any device pixel ratio. The game's size comes from
// the game (Scene's ScaleWidth and ScaleHeight).

// Device pixels per game pixel, and the canvas's size in CSS pixels.
export function fitScale(cssWidth, cssHeight, devicePixelRatio, game) {
  const across = Math.floor((cssWidth * devicePixelRatio) / game.width);
  const down = Math.floor((cssHeight * devicePixelRatio) / game.height);
  const devicePixels = Math.max(1, Math.min(across, down));
  return {
    devicePixels,
    cssWidth: (game.width * devicePixels) / devicePixelRatio,
    cssHeight: (game.height * devicePixels) / devicePixelRatio,
  };
}

// Sizes the canvas's backing store and its box; returns the device pixels per
// game pixel to draw with.
export function fitCanvas(canvas, room, game) {
  const ratio = window.devicePixelRatio || 1;
  const fit = fitScale(room.clientWidth, room.clientHeight, ratio, game);
  canvas.width = game.width * fit.devicePixels;
  canvas.height = game.height * fit.devicePixels;
  canvas.style.width = `${fit.cssWidth}px`;
  canvas.style.height = `${fit.cssHeight}px`;
  return fit.devicePixels;
}

// A pointer position on the canvas in game pixels.
export function gamePoint(canvas, event, game) {
  const box = canvas.getBoundingClientRect();
  return {
    x: ((event.clientX - box.left) * game.width) / box.width,
    y: ((event.clientY - box.top) * game.height) / box.height,
  };
}
