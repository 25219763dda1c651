// Starts the page: the game's module, its font and pictures, all fetched at
// once, then Form_Load, the first frame, the tick loop, the keys and the
// mouse; right after the first frame the tune is made ready for the first
// key, and the page handed to its service worker for play offline.

import createMunyuraModule from './munyura.js';
import { CAPTION_FACE, captionFont } from './caption_painting.js';
import { GameModule } from './game_module.js';
import { attachKeys } from './key_input.js';
import { attachMouse } from './mouse_input.js';
import { fitCanvas } from './page_scale.js';
import { loadPicturePack } from './picture_pack.js';
import { drawScene } from './scene_drawing.js';
import { registerServiceWorker } from './service_worker_registration.js';
import { startTickLoop } from './tick_loop.js';
import { TunePlayer } from './tune_player.js';

const TICK_HISTORY = 1000;

// The folder the page was opened from, as the game's host names it.
function pageFolder() {
  const path = decodeURIComponent(window.location.pathname);
  return path.slice(0, path.lastIndexOf('/'));
}

function showNote(id, text) {
  const note = document.getElementById(id);
  note.textContent = text;
  note.hidden = !text;
}

function noteTune(state) {
  const texts = {
    waiting: '♪ Sound starts with your first key or click.',
    playing: '',
    silent: '♪ The tune cannot be played here; the game goes on in silence.',
  };
  showNote('sound-note', texts[state]);
}

async function start() {
  // The font and the pictures load while the WebAssembly compiles.
  const pack = loadPicturePack('pictures.pack');
  const fonts = Promise.all([
    document.fonts.load(`27px "${CAPTION_FACE}"`),
    document.fonts.load(`bold 15px "${CAPTION_FACE}"`),
  ]);
  const module = await createMunyuraModule({
    print: (text) => console.log(text),
    printErr: (text) => console.error(text),
  });
  const [packed] = await Promise.all([pack, fonts]);
  const images = GameModule.pictureFiles(module).map((file) => {
    if (!packed.has(file)) {
      throw new Error(`${file} is not among the pictures`);
    }
    return packed.get(file);
  });
  const game = new GameModule(module, pageFolder(), images.map((i) => [i.width, i.height]));
  const pictures = new Map(images.map((image, n) => [game.pictureHandle(n), {
    image, width: image.width, height: image.height,
  }]));

  const measuring = document.createElement('canvas').getContext('2d');
  game.setCaptionMeasure((control, text) => {
    measuring.font = captionFont(control);
    return measuring.measureText(text).width;
  });

  const tune = new TunePlayer('tune.opus', 'tune.json', noteTune);
  module.playTune = () => tune.play();

  const canvas = document.getElementById('game');
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
  // Fetched while the player looks at the title screen; the worker comes
  // after it, so its copy of the tune is only checked with the host.
  tune.prepare().then(registerServiceWorker);
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
  showNote('keyboard-note', keyboardless ? 'ムニュラ is played with a keyboard: arrow keys, Z, and a few letters.' : '');
}

start().catch((error) => {
  console.error(`ムニュラ: the page could not start (${error.message})`);
  showNote('keyboard-note', `The game could not start: ${error.message}`);
});
