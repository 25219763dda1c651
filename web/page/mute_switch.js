// M mutes and unmutes the tune, as on the desktop: M as the game itself reads
// it on this layout, pressed without Ctrl, Alt or Meta, its auto-repeats
// ignored. The tune keeps its time in silence, the title says "(muted)", and
// the choice is remembered. The key still reaches the game's handlers.

import { pageTexts } from './page_texts.js';

const VIRTUAL_KEY_M = 77;

export class MuteSwitch {
  constructor(tune, caption, remembered) {
    this.tune = tune;
    this.caption = caption;
    this.remembered = remembered;
    this.muted = remembered.read();
    this.show();
  }

  // Called with every key press and what the game made of it.
  onKeyDown(event, result) {
    if (result.virtualKey === VIRTUAL_KEY_M && !event.repeat
        && !event.ctrlKey && !event.altKey && !event.metaKey) {
      this.muted = !this.muted;
      this.show();
      this.remembered.write(this.muted);
    }
  }

  show() {
    this.tune.setMuted(this.muted);
    document.title = this.muted ? pageTexts.mutedTitle(this.caption) : this.caption;
  }
}
