// Draws the game's scene table as the desktop does: the window's white
// background, then every visible element from the back-most to the
// front-most, the child windows (picture boxes and the button) last, above
// everything else. Pictures at their own size, nearest neighbour; lines and
// shape outlines one pixel wide in black.

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

function drawPicture(ctx, control, pictures) {
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
    ctx.drawImage(picture.image, 0, 0, width, height, control.left, control.top, width, height);
  }
}

// Both end points included, one pixel wide.
function drawLine(ctx, line) {
  ctx.fillStyle = WINDOW_TEXT;
  let x = line.x1;
  let y = line.y1;
  const dx = Math.abs(line.x2 - x);
  const dy = -Math.abs(line.y2 - y);
  const stepX = x < line.x2 ? 1 : -1;
  const stepY = y < line.y2 ? 1 : -1;
  let error = dx + dy;
  for (;;) {
    ctx.fillRect(x, y, 1, 1);
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

function drawOutline(ctx, shape) {
  const { left, top, width, height } = shape;
  if (width <= 0 || height <= 0) {
    return;
  }
  ctx.fillStyle = WINDOW_TEXT;
  ctx.fillRect(left, top, width, 1);
  ctx.fillRect(left, top + height - 1, width, 1);
  ctx.fillRect(left, top, 1, height);
  ctx.fillRect(left + width - 1, top, 1, height);
}

function drawControl(ctx, control, game, pictures, look) {
  switch (control.kind) {
    case ControlKind.PictureBox:
    case ControlKind.Image:
      drawPicture(ctx, control, pictures);
      break;
    case ControlKind.Label:
      if (control.width > 0 && control.height > 0) {
        paintLabel(ctx, control, game.captionLines(control, control.width));
      }
      break;
    case ControlKind.CommandButton:
      if (control.width > 0 && control.height > 0) {
        paintButton(ctx, control, game.captionLines(control, buttonCaptionWidth(control)), look);
      }
      break;
    case ControlKind.Line:
      drawLine(ctx, control);
      break;
    case ControlKind.Shape:
      drawOutline(ctx, control);
      break;
    default:
      break;
  }
}

// `devicePixels` is the canvas's device pixels per game pixel.
export function drawScene(ctx, game, pictures, devicePixels) {
  ctx.setTransform(devicePixels, 0, 0, devicePixels, 0, 0);
  ctx.imageSmoothingEnabled = false;
  ctx.fillStyle = cssColour(game.windowBackColour());
  const size = game.size();
  ctx.fillRect(0, 0, size.width, size.height);
  const controls = game.controls();
  const look = game.startButtonLook();
  for (const childWindows of [false, true]) {
    for (let position = controls.length - 1; position >= 0; --position) {
      const control = controls[position];
      if (control.visible && isChildWindow(control) === childWindows) {
        drawControl(ctx, control, game, pictures, look);
      }
    }
  }
}
