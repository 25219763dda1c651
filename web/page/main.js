// Starts the page: the game's module, its font and pictures, then Form_Load,
// the first frame, the tick loop, the keys, the mouse and the tune.

import createMunyuraModule from './munyura.js';
import { CAPTION_FACE, captionFont } from './caption_painting.js';
import { GameModule } from './game_module.js';
import { attachKeys } from './key_input.js';
import { attachMouse } from './mouse_input.js';
import { gettext, pageLanguage } from './page_language.js';
import { fitCanvas } from './page_scale.js';
import { drawScene } from './scene_drawing.js';
import { startTickLoop } from './tick_loop.js';
import { TunePlayer } from './tune_player.js';

const TICK_HISTORY = 1000;

function loadImage(url) {
  return new Promise((resolve, reject) => {
    const image = new Image();
    image.onload = () => resolve(image);
    image.onerror = () => reject(new Error(`${url} did not load`));
    image.src = url;
  });
}

// The folder the page was opened from, as the game's host names it.
function pageFolder() {
  const path = decodeURIComponent(window.location.pathname);
  return path.slice(0, path.lastIndexOf('/'));
}

function showNote(id, text) {
  const note = document.getElementById(id);
  note.textContent = text;
  note.lang = pageLanguage();
  note.hidden = !text;
}

function noteTune(state) {
  const texts = {
    waiting: gettext('♪ Sound starts with your first key or click.'),
    playing: '',
    silent: gettext('♪ The tune cannot be played here; the game goes on in silence.'),
  };
  showNote('sound-note', texts[state]);
}

async function start() {
  document.documentElement.lang = pageLanguage();
  const canvas = document.getElementById('game');
  canvas.setAttribute('aria-label', gettext('The game: arrow keys walk, Z reads a monument'));
  const module = await createMunyuraModule({
    print: (text) => console.log(text),
    printErr: (text) => console.error(text),
  });
  await Promise.all([
    document.fonts.load(`27px "${CAPTION_FACE}"`),
    document.fonts.load(`bold 15px "${CAPTION_FACE}"`),
  ]);
  const files = GameModule.pictureFiles(module);
  const images = await Promise.all(files.map((file) => loadImage(`pictures/${file}`)));
  const game = new GameModule(module, pageFolder(), images.map((i) => [i.naturalWidth, i.naturalHeight]));
  const pictures = new Map(images.map((image, n) => [game.pictureHandle(n), {
    image, width: image.naturalWidth, height: image.naturalHeight,
  }]));

  const measuring = document.createElement('canvas').getContext('2d');
  game.setCaptionMeasure((control, text) => {
    measuring.font = captionFont(control);
    return measuring.measureText(text).width;
  });

  // Without its length the tune still loops, at the decoded sound's end.
  const tuneInfo = await fetch('tune.json').then((r) => (r.ok ? r.json() : null)).catch(() => null);
  const loopSeconds = tuneInfo ? tuneInfo.loopFrames / tuneInfo.frameRate : Infinity;
  const tune = new TunePlayer('tune.opus', loopSeconds, noteTune);
  module.playTune = () => tune.play();

  const room = document.getElementById('room');
  const ctx = canvas.getContext('2d', { alpha: false });
  document.title = game.windowCaption();
  let devicePixels = fitCanvas(canvas, room, game.size());
  const page = { game, tune, tickTimes: [], firstFrameMs: null, loadMs: null };
  window.munyura = page;

  let framePending = false;
  const draw = () => {
    framePending = false;
    drawScene(ctx, game, pictures, devicePixels);
    if (page.firstFrameMs === null) {
      page.firstFrameMs = performance.now();
    }
  };
  const redraw = (changed) => {
    if (changed && !framePending) {
      framePending = true;
      requestAnimationFrame(draw);
    }
  };

  page.loadMs = performance.now();
  game.load(page.loadMs);
  draw();
  window.addEventListener('resize', () => {
    devicePixels = fitCanvas(canvas, room, game.size());
    draw();
  });
  startTickLoop(game, (changed, now) => {
    page.tickTimes.push(now);
    if (page.tickTimes.length > TICK_HISTORY) {
      page.tickTimes.shift();
    }
    redraw(changed);
  });
  attachKeys(window, game, redraw);
  attachMouse(canvas, game, redraw);
  const unlock = () => tune.unlock();
  window.addEventListener('keydown', unlock, { once: true });
  canvas.addEventListener('pointerdown', unlock, { once: true });
  noteTune('waiting');

  const keyboardless = matchMedia('(any-pointer: coarse)').matches
    && !matchMedia('(any-pointer: fine)').matches;
  showNote('keyboard-note', keyboardless
    ? gettext('ムニュラ is played with a keyboard: arrow keys, Z, and a few letters.') : '');
}

start().catch((error) => {
  console.error(`ムニュラ: ${gettext('the page could not start ({1})', error.message)}`);
  showNote('keyboard-note', gettext('The game could not start: {1}', error.message));
});
