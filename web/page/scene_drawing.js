// Draws the game's scene table as the desktop does: the window's white
// background, then every visible element from the back-most to the
// front-most, the child windows (picture boxes and the button) last, above
// everything else. Pictures at their own size, nearest neighbour; lines and
// shape outlines one pixel wide in black. Everything is placed on the
// canvas's device pixels by the game's own rule, whatever the scale: a
// picture's edges fall between device pixels, and no line is thinner than one.

import { buttonCaptionWidth, cssColour, paintButton, paintLabel } from './caption_painting.js';

// The same numbers as scene::ControlKind.
export const ControlKind = Object.freeze({
  PictureBox: 0,
  Image: 1,
  Label: 2,
  CommandButton: 3,
  Line: 4,
  Shape: 5,
  Timer: 6,
});

const WINDOW_TEXT = '#000000';

function isChildWindow(control) {
  return control.kind === ControlKind.PictureBox || control.kind === ControlKind.CommandButton;
}

// Whole game pixels as a rectangle of device pixels, at least one each way
// when not empty.
function deviceRect(grid, left, top, width, height) {
  const x = grid.at(left);
  const y = grid.at(top);
  const extent = (from, to, gameExtent) => (gameExtent > 0 ? Math.max(1, to - from) : 0);
  return [x, y, extent(x, grid.at(left + width), width), extent(y, grid.at(top + height), height)];
}

function fillGameRect(ctx, grid, left, top, width, height) {
  ctx.fillRect(...deviceRect(grid, left, top, width, height));
}

function drawPicture(ctx, grid, control, pictures) {
  const picture = pictures.get(control.picture);
  if (!picture) {
    return;
  }
  // A picture is shown at its own size; a picture box crops it to the box.
  let { width, height } = picture;
  if (control.kind === ControlKind.PictureBox) {
    width = Math.min(width, control.width);
    height = Math.min(height, control.height);
  }
  if (width > 0 && height > 0) {
    ctx.drawImage(picture.image, 0, 0, width, height,
      ...deviceRect(grid, control.left, control.top, width, height));
  }
}

// Both end points included, one game pixel wide.
function drawLine(ctx, grid, line) {
  ctx.fillStyle = WINDOW_TEXT;
  let x = line.x1;
  let y = line.y1;
  const dx = Math.abs(line.x2 - x);
  const dy = -Math.abs(line.y2 - y);
  const stepX = x < line.x2 ? 1 : -1;
  const stepY = y < line.y2 ? 1 : -1;
  let error = dx + dy;
  for (;;) {
    fillGameRect(ctx, grid, x, y, 1, 1);
    if (x === line.x2 && y === line.y2) {
      return;
    }
    const doubled = 2 * error;
    if (doubled >= dy) {
      error += dy;
      x += stepX;
    }
    if (doubled <= dx) {
      error += dx;
      y += stepY;
    }
  }
}

function drawOutline(ctx, grid, shape) {
  const { left, top, width, height } = shape;
  if (width <= 0 || height <= 0) {
    return;
  }
  ctx.fillStyle = WINDOW_TEXT;
  fillGameRect(ctx, grid, left, top, width, 1);
  fillGameRect(ctx, grid, left, top + height - 1, width, 1);
  fillGameRect(ctx, grid, left, top, 1, height);
  fillGameRect(ctx, grid, left + width - 1, top, 1, height);
}

// Labels and the button are painted in game pixels under a transform that
// lays the control's rectangle exactly on its device pixels; the text is
// drawn at the canvas's own resolution.
function withControlTransform(ctx, grid, control, paint) {
  const [x, y, width, height] = deviceRect(grid, control.left, control.top, control.width,
    control.height);
  const scaleX = width / control.width;
  const scaleY = height / control.height;
  ctx.setTransform(scaleX, 0, 0, scaleY, x - control.left * scaleX, y - control.top * scaleY);
  paint();
  ctx.setTransform(1, 0, 0, 1, 0, 0);
}

function drawControl(ctx, grid, control, game, pictures, look) {
  switch (control.kind) {
    case ControlKind.PictureBox:
    case ControlKind.Image:
      drawPicture(ctx, grid, control, pictures);
      break;
    case ControlKind.Label:
      if (control.width > 0 && control.height > 0) {
        withControlTransform(ctx, grid, control,
          () => paintLabel(ctx, control, game.captionLines(control, control.width)));
      }
      break;
    case ControlKind.CommandButton:
      if (control.width > 0 && control.height > 0) {
        withControlTransform(ctx, grid, control, () => paintButton(ctx, control,
          game.captionLines(control, buttonCaptionWidth(control)), look));
      }
      break;
    case ControlKind.Line:
      drawLine(ctx, grid, control);
      break;
    case ControlKind.Shape:
      drawOutline(ctx, grid, control);
      break;
    default:
      break;
  }
}

// `scale` is the canvas's device pixels per game pixel, whole or not.
export function drawScene(ctx, game, pictures, scale) {
  const grid = { at: (n) => game.outputPixel(n, scale) };
  ctx.setTransform(1, 0, 0, 1, 0, 0);
  ctx.imageSmoothingEnabled = false;
  ctx.fillStyle = cssColour(game.windowBackColour());
  const size = game.size();
  fillGameRect(ctx, grid, 0, 0, size.width, size.height);
  const controls = game.controls();
  const look = game.startButtonLook();
  for (const childWindows of [false, true]) {
    for (let position = controls.length - 1; position >= 0; --position) {
      const control = controls[position];
      if (control.visible && isChildWindow(control) === childWindows) {
        drawControl(ctx, grid, control, game, pictures, look);
      }
    }
  }
}
