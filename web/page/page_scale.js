// Fits the game's window into its area of the page by the window rules (the
// same as the desktop's): a whole number of device pixels per game pixel
// while it fills three quarters of the limiting side, else that side filled
// exactly; never cut off. The page's CSS centres the canvas in the area.

// Sizes the canvas's backing store in device pixels and its box in CSS
// pixels to fit the `area` element's client box; returns the device pixels
// per game pixel to draw with. `game` is the GameModule.
export function fitCanvas(canvas, area, game) {
  const ratio = window.devicePixelRatio || 1;
  // The area's exact box: clientWidth and clientHeight round to whole CSS
  // pixels, and a rounded-up side would let the canvas stick out.
  const room = area.getBoundingClientRect();
  const fit = game.fitGame(Math.floor(room.width * ratio), Math.floor(room.height * ratio));
  canvas.width = fit.width;
  canvas.height = fit.height;
  canvas.style.width = `${fit.width / ratio}px`;
  canvas.style.height = `${fit.height / ratio}px`;
  return fit.scale;
}

// A pointer position on the canvas in whole game pixels, through the same
// rule: the game pixel whose device pixels it lies in.
export function gamePoint(canvas, event, game) {
  const box = canvas.getBoundingClientRect();
  return game.outputToGame(((event.clientX - box.left) * canvas.width) / box.width,
    ((event.clientY - box.top) * canvas.height) / box.height);
}
