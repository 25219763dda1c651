// The letter picker as the page draws it: the 26 letters on the shared
// rules' grid over the lower edge of the scene, the highlighted one marked,
// shown while the picker is open (by the letters button or a pad's Y). A
// finger on a letter holds its key until it lifts; a pad moves the highlight
// and types it through the shared rules.

import { CLICK_DEVICE, fingerDevice } from './finger_devices.js';
import { pageTexts } from './page_texts.js';

export class LetterPickerView {
  constructor(holder, game, onHandled) {
    this.holder = holder;
    this.game = game;
    holder.setAttribute('aria-label', pageTexts.pickerLetters());
    holder.style.gridTemplateColumns = `repeat(${game.pickerColumns()}, minmax(0, 1fr))`;
    this.buttons = game.pickerLetters().map(({ letter, column, row, key }) => {
      const button = document.createElement('button');
      button.type = 'button';
      button.textContent = String.fromCharCode(key);
      button.style.gridColumn = String(column + 1);
      button.style.gridRow = String(row + 1);
      button.addEventListener('pointerdown', (event) => {
        event.preventDefault();
        button.setPointerCapture(event.pointerId);
        onHandled(game.pressLetter(fingerDevice(event), letter, performance.now()));
      });
      const lift = (event) => onHandled(game.releaseLetter(fingerDevice(event), letter));
      button.addEventListener('pointerup', lift);
      button.addEventListener('pointercancel', lift);
      button.addEventListener('lostpointercapture', lift);
      button.addEventListener('click', (event) => {
        if (event.detail === 0) {
          const pressed = game.pressLetter(CLICK_DEVICE, letter, performance.now());
          onHandled(game.releaseLetter(CLICK_DEVICE, letter) || pressed);
        }
      });
      holder.append(button);
      return button;
    });
    this.refresh();
  }

  refresh() {
    const { open, highlighted } = this.game.picker();
    this.holder.hidden = !open;
    this.buttons.forEach((button, letter) => {
      button.classList.toggle('highlighted', letter === highlighted);
      button.setAttribute('aria-pressed', String(letter === highlighted));
    });
  }
}
