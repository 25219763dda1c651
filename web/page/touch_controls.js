// The on-screen controls of a touch screen: a d-pad whose eight directions
// are taken by the finger's angle from its centre (sliding from one to
// another works), the read button (Z) and the letters button that opens the
// picker. Each finger is a device of its own, held by the one control it
// touched first (pointer capture), so the d-pad and a button are held
// together; a press acts at touch-down and lifting the finger lets go. The
// controls show on touch screens and at any touch, and hide when a key or a
// pad is used. A screen reader's or keyboard's click on one presses and
// releases it at once.

import { CLICK_DEVICE, fingerDevice } from './finger_devices.js';
import { pageTexts } from './page_texts.js';

export class TouchControls {
  constructor(holder, game, onHandled) {
    this.holder = holder;
    this.game = game;
    this.onHandled = onHandled;
    this.dpad = holder.querySelector('#dpad');
    this.arrows = [...this.dpad.querySelectorAll('button')];
    this.read = holder.querySelector('#read-button');
    this.letters = holder.querySelector('#letters-button');
    this.label();
    this.attachDpad();
    this.attachButton(this.read, 'read');
    this.attachButton(this.letters, 'picker');
    if (matchMedia('(pointer: coarse)').matches) {
      this.show();
    }
    const touched = (event) => {
      if (event.pointerType === 'touch') {
        this.show();
      }
    };
    window.addEventListener('pointerdown', touched, { capture: true });
    window.addEventListener('keydown', () => this.hide(), { capture: true });
  }

  label() {
    this.dpad.setAttribute('aria-label', pageTexts.walk());
    for (const arrow of this.arrows) {
      arrow.setAttribute('aria-label', pageTexts[arrow.dataset.action]());
    }
    this.read.setAttribute('aria-label', pageTexts.read());
    this.letters.setAttribute('aria-label', pageTexts.letters());
  }

  show() { this.holder.hidden = false; }
  hide() { this.holder.hidden = true; }

  // The finger's place as a vector from the d-pad's centre, its radius 1.
  pointDpad(event) {
    const box = this.dpad.getBoundingClientRect();
    const radius = box.width / 2;
    const x = (event.clientX - box.left - radius) / radius;
    const y = (event.clientY - box.top - box.height / 2) / radius;
    this.onHandled(this.game.pointVector(fingerDevice(event), x, y, performance.now()));
  }

  attachDpad() {
    this.dpad.addEventListener('pointerdown', (event) => {
      event.preventDefault();
      this.dpad.setPointerCapture(event.pointerId);
      this.pointDpad(event);
    });
    this.dpad.addEventListener('pointermove', (event) => {
      if (this.dpad.hasPointerCapture(event.pointerId)) {
        this.pointDpad(event);
      }
    });
    const lift = (event) => this.onHandled(this.game.unplug(fingerDevice(event)));
    this.dpad.addEventListener('pointerup', lift);
    this.dpad.addEventListener('pointercancel', lift);
    this.dpad.addEventListener('lostpointercapture', lift);
    for (const arrow of this.arrows) {
      this.clickPresses(arrow, arrow.dataset.action);
    }
  }

  attachButton(button, action) {
    button.addEventListener('pointerdown', (event) => {
      event.preventDefault();
      button.setPointerCapture(event.pointerId);
      this.onHandled(this.game.pressAction(fingerDevice(event), action, performance.now()));
    });
    const lift = (event) => this.onHandled(this.game.releaseAction(fingerDevice(event), action));
    button.addEventListener('pointerup', lift);
    button.addEventListener('pointercancel', lift);
    button.addEventListener('lostpointercapture', lift);
    this.clickPresses(button, action);
  }

  // A click without a pointer (Enter, Space, a screen reader) is a press
  // and a release; a finger's own click has already pressed.
  clickPresses(button, action) {
    button.addEventListener('click', (event) => {
      if (event.detail !== 0) {
        return;
      }
      const pressed = this.game.pressAction(CLICK_DEVICE, action, performance.now());
      this.onHandled(this.game.releaseAction(CLICK_DEVICE, action) || pressed);
    });
  }

  // Draws the controls holding a key pressed, and the letters button open.
  refresh() {
    for (const arrow of this.arrows) {
      arrow.classList.toggle('held', this.game.actionHeld(arrow.dataset.action));
    }
    this.read.classList.toggle('held', this.game.actionHeld('read'));
    this.letters.setAttribute('aria-expanded', String(this.game.picker().open));
  }
}
