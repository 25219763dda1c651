// Pads with the browser's "standard" mapping, through the shared pad table:
// each button's press and release, and the left stick as a vector with the
// stick's dead zone. The page polls them once per animation frame while one
// is plugged in, and once per tick; a pad may be plugged in or out at any
// time, and one that is gone lets go of all it held.

const STICK_X = 0;
const STICK_Y = 1;

// A page served without HTTPS (other than from localhost) may be refused
// the pads: then it has none, and the game plays on.
function connectedPads() {
  try {
    return navigator.getGamepads ? Array.from(navigator.getGamepads()) : [];
  } catch {
    return [];
  }
}

export class GamepadInput {
  // `onHandled(changed)` after every change; `onUsed()` when a button is
  // pressed or the stick points somewhere.
  constructor(game, onHandled, onUsed) {
    this.game = game;
    this.onHandled = onHandled;
    this.onUsed = onUsed;
    this.pads = new Map(); // Gamepad.index -> { buttons: [pressed], x, y }
    this.framePending = false;
    window.addEventListener('gamepadconnected', () => this.poll());
    window.addEventListener('gamepaddisconnected', (event) => this.unplug(event.gamepad.index));
  }

  poll() {
    const now = performance.now();
    const connected = new Set();
    const pads = connectedPads();
    for (const pad of pads) {
      if (pad && pad.connected && pad.mapping === 'standard') {
        connected.add(pad.index);
        this.read(pad, now);
      }
    }
    for (const index of [...this.pads.keys()]) {
      if (!connected.has(index)) {
        this.unplug(index);
      }
    }
    if (this.pads.size > 0 && !this.framePending) {
      this.framePending = true;
      requestAnimationFrame(() => {
        this.framePending = false;
        this.poll();
      });
    }
  }

  read(pad, now) {
    if (!this.pads.has(pad.index)) {
      this.pads.set(pad.index, { buttons: [], x: 0, y: 0 });
    }
    const known = this.pads.get(pad.index);
    let changed = false;
    let used = false;
    let moved = false;
    pad.buttons.forEach((button, n) => {
      const pressed = button.pressed;
      if (pressed === (known.buttons[n] === true)) {
        return;
      }
      known.buttons[n] = pressed;
      moved = true;
      if (pressed) {
        used = true;
        changed = this.game.pressPadButton(pad.index, n, now) || changed;
      } else {
        changed = this.game.releasePadButton(pad.index, n) || changed;
      }
    });
    const x = pad.axes[STICK_X] || 0;
    const y = pad.axes[STICK_Y] || 0;
    if (x !== known.x || y !== known.y) {
      known.x = x;
      known.y = y;
      moved = true;
      const pointed = this.game.pointVector(pad.index, x, y, now);
      used = used || pointed;
      changed = pointed || changed;
    }
    if (used) {
      this.onUsed();
    }
    if (moved) {
      this.onHandled(changed);
    }
  }

  unplug(index) {
    if (this.pads.delete(index)) {
      this.onHandled(this.game.unplug(index));
    }
  }
}
