// Starts the page: the game's module, its font and pictures, all fetched at
// once, then Form_Load, the first frame, the tick loop, the keys, the mouse,
// the touch controls and pads; right after the first frame the tune is made
// ready for the first key, and the page handed to its service worker for
// play offline.

import { captionFont } from './caption_painting.js';
import { loadCaptionFont } from './caption_font_loading.js';
import { attachFullscreenButton } from './fullscreen_button.js';
import { GameModule } from './game_module.js';
import { attachHeldInput } from './held_input.js';
import { attachKeys } from './key_input.js';
import { attachMouse } from './mouse_input.js';
import { MuteSwitch } from './mute_switch.js';
import { pageLanguage } from './page_language.js';
import { showNote } from './page_notes.js';
import { fitCanvas } from './page_scale.js';
import { pageTexts } from './page_texts.js';
import { loadPicturePack } from './picture_pack.js';
import { attachReadAloud } from './read_aloud.js';
import { RememberedMute } from './remembered_mute.js';
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

function noteTune(state) {
  const texts = {
    waiting: pageTexts.soundWaiting,
    playing: () => '',
    silent: pageTexts.soundSilent,
  };
  showNote('sound-note', texts[state]());
}

async function start() {
  document.documentElement.lang = pageLanguage();
  // The font and the pictures load while the WebAssembly compiles.
  const pack = loadPicturePack('pictures.pack');
  const font = loadCaptionFont(() => showNote('font-note', pageTexts.fontMissing()));
  // Imported here, so that a game script the network fails to bring is told
  // like any other failure to start.
  const { default: createMunyuraModule } = await import('./munyura.js');
  const module = await createMunyuraModule({
    print: (text) => console.log(text),
    printErr: (text) => console.error(text),
  });
  const [packed] = await Promise.all([pack, font]);
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
  const mute = new MuteSwitch(tune, game.windowCaption(),
    new RememberedMute(() => showNote('storage-note', pageTexts.storageRefused())));
  const readAloud = attachReadAloud(document.getElementById('message'), game);
  let devicePixels = fitCanvas(canvas, room, game);
  const page = { game, tune, mute, tickTimes: [], firstFrameMs: null, loadMs: null };
  window.munyura = page;

  let framePending = false;
  const draw = () => {
    framePending = false;
    drawScene(ctx, game, pictures, devicePixels);
    readAloud();
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
  // The game's area changes with the window, and with the notes beside it.
  new ResizeObserver(() => {
    devicePixels = fitCanvas(canvas, room, game);
    draw();
  }).observe(room);
  const held = attachHeldInput(game, redraw);
  startTickLoop(game, (changed, now) => {
    held.poll();
    page.tickTimes.push(now);
    if (page.tickTimes.length > TICK_HISTORY) {
      page.tickTimes.shift();
    }
    redraw(changed);
  });
  page.keyPresses = attachKeys(window, game, redraw, (event, result) => mute.onKeyDown(event, result));
  attachFullscreenButton(document.getElementById('fullscreen'));
  attachMouse(canvas, game, redraw);
  const unlock = () => tune.unlock();
  window.addEventListener('keydown', unlock, { once: true });
  // Any click or touch (the scene, the touch controls) at the moment the
  // browser counts as a gesture: a mouse's press, a finger's lift.
  const unlockByPointer = (event) => {
    if ((event.type === 'pointerdown') === (event.pointerType === 'mouse')) {
      unlock();
    }
  };
  window.addEventListener('pointerdown', unlockByPointer);
  window.addEventListener('pointerup', unlockByPointer);
  noteTune('waiting');
}

start().catch((error) => {
  console.error(`ムニュラ: the page could not start (${error.message})`);
  showNote('start-note', pageTexts.couldNotStart(error.message));
});
