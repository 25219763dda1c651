// The labels and the start button painted on the canvas as the desktop paints
// them: a label is its back colour with its caption in black from its
// top-left corner; the button is its face colour with a raised edge (sunken
// while pressed, the caption one pixel down and right), its caption centred,
// and a dotted focus rectangle while it holds the focus. Where the caption
// wraps is decided by the game's own line-breaking rules; the canvas only
// measures and draws.

export const CAPTION_FACE = 'Munyura Gothic';

const EDGE_RINGS = 2;
const FOCUS_INSET = 4;
const CAPTION_INSET = FOCUS_INSET + 1;

const WHITE = '#ffffff';
const BLACK = '#000000';
const LIGHT_3D = '#dfdfdf';
const SHADOW_3D = '#808080';

// &H00BBGGRR& to a CSS colour.
export function cssColour(bbggrr) {
  const red = bbggrr & 0xff;
  const green = (bbggrr >> 8) & 0xff;
  const blue = (bbggrr >> 16) & 0xff;
  return `rgb(${red}, ${green}, ${blue})`;
}

export function captionFont(control) {
  return `${control.fontBold ? 'bold ' : ''}${control.fontPixels}px "${CAPTION_FACE}"`;
}

function drawLines(ctx, lines, control, left, top, boxWidth, centred) {
  ctx.font = captionFont(control);
  ctx.fillStyle = BLACK;
  ctx.textBaseline = 'alphabetic';
  const ascent = ctx.measureText('ム').fontBoundingBoxAscent;
  let y = top;
  for (const line of lines) {
    const indent = centred ? Math.floor((boxWidth - line.width) / 2) : 0;
    ctx.fillText(line.text.trimEnd(), left + indent, y + ascent);
    y += control.fontPixels;
  }
}

export function paintLabel(ctx, control, lines) {
  const { left, top, width, height } = control;
  ctx.save();
  ctx.fillStyle = cssColour(control.backColour);
  ctx.fillRect(left, top, width, height);
  ctx.beginPath();
  ctx.rect(left, top, width, height);
  ctx.clip();
  drawLines(ctx, lines, control, left, top, width, false);
  ctx.restore();
}

// One ring of a 3D edge, `inset` pixels inside the outline; the bottom-right
// colour takes the corners it shares with the top-left one.
function drawRing(ctx, box, inset, topLeft, bottomRight) {
  const x = box.left + inset;
  const y = box.top + inset;
  const w = box.width - 2 * inset;
  const h = box.height - 2 * inset;
  if (w <= 0 || h <= 0) {
    return;
  }
  ctx.fillStyle = topLeft;
  ctx.fillRect(x, y, w - 1, 1);
  ctx.fillRect(x, y, 1, h - 1);
  ctx.fillStyle = bottomRight;
  ctx.fillRect(x, y + h - 1, w, 1);
  ctx.fillRect(x + w - 1, y, 1, h);
}

// Every other pixel of the rectangle inverted, so it shows on any face.
function drawFocusRectangle(ctx, box) {
  const left = FOCUS_INSET;
  const top = FOCUS_INSET;
  const right = box.width - FOCUS_INSET - 1;
  const bottom = box.height - FOCUS_INSET - 1;
  if (right <= left || bottom <= top) {
    return;
  }
  ctx.save();
  ctx.globalCompositeOperation = 'difference';
  ctx.fillStyle = WHITE;
  const dot = (x, y) => {
    if ((x + y) % 2 === 0) {
      ctx.fillRect(box.left + x, box.top + y, 1, 1);
    }
  };
  for (let x = left; x <= right; ++x) {
    dot(x, top);
    dot(x, bottom);
  }
  for (let y = top + 1; y < bottom; ++y) {
    dot(left, y);
    dot(right, y);
  }
  ctx.restore();
}

// The width the button's caption wraps in.
export function buttonCaptionWidth(control) {
  return control.width - 2 * CAPTION_INSET;
}

export function paintButton(ctx, control, lines, look) {
  ctx.save();
  ctx.beginPath();
  ctx.rect(control.left, control.top, control.width, control.height);
  ctx.clip();
  ctx.fillStyle = cssColour(control.backColour);
  ctx.fillRect(control.left, control.top, control.width, control.height);
  if (look.pressed) {
    drawRing(ctx, control, 0, SHADOW_3D, WHITE);
    drawRing(ctx, control, 1, BLACK, LIGHT_3D);
  } else {
    drawRing(ctx, control, 0, WHITE, BLACK);
    drawRing(ctx, control, 1, LIGHT_3D, SHADOW_3D);
  }
  const shift = look.pressed ? 1 : 0;
  const captionHeight = control.fontPixels * lines.length;
  const top = Math.floor((control.height - captionHeight) / 2);
  ctx.save();
  ctx.beginPath();
  ctx.rect(
    control.left + EDGE_RINGS,
    control.top + EDGE_RINGS,
    Math.max(0, control.width - 2 * EDGE_RINGS),
    Math.max(0, control.height - 2 * EDGE_RINGS),
  );
  ctx.clip();
  drawLines(ctx, lines, control, control.left + shift, control.top + top + shift, control.width, true);
  ctx.restore();
  if (look.focused) {
    drawFocusRectangle(ctx, control);
  }
  ctx.restore();
}
