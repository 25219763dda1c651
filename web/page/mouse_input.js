// The left mouse button on the canvas, in game pixels, to the shared click
// rules (a click needs the press and the release on the same element).

import { gamePoint } from './page_scale.js';

export function attachMouse(canvas, game, onHandled) {
  canvas.addEventListener('pointerdown', (event) => {
    if (event.button !== 0) {
      return;
    }
    canvas.setPointerCapture(event.pointerId);
    const point = gamePoint(canvas, event, game);
    onHandled(game.mousePress(point.x, point.y));
  });
  canvas.addEventListener('pointerup', (event) => {
    if (event.button !== 0) {
      return;
    }
    const point = gamePoint(canvas, event, game);
    onHandled(game.mouseRelease(point.x, point.y));
  });
  canvas.addEventListener('pointermove', (event) => {
    const point = gamePoint(canvas, event, game);
    onHandled(game.mouseMove(point.x, point.y));
  });
}
