// Whether the tune is muted, remembered in the page's storage as the desktop
// remembers it in its settings file ("yes" or "no"). Storage that is blocked,
// full or holds anything else gives the default, the tune playing, with one
// line on the console (and a refused write one more, however often the
// player mutes); the game never stops for it.

const MUTE_ITEM = 'munyura.mute';

export class RememberedMute {
  constructor(onRefused) {
    this.onRefused = onRefused;
    this.warned = new Set();
  }

  // One line for each kind of trouble, reading or writing.
  warn(kind, line) {
    if (!this.warned.has(kind)) {
      this.warned.add(kind);
      console.warn(`ムニュラ: ${line}`);
    }
  }

  read() {
    let value;
    try {
      value = window.localStorage.getItem(MUTE_ITEM);
    } catch (error) {
      this.warn('read', `the page's storage cannot be read (${error.message}); the tune plays`);
      return false;
    }
    if (value === null || value === 'no') {
      return false;
    }
    if (value === 'yes') {
      return true;
    }
    this.warn('read', `the remembered mute ${JSON.stringify(value.slice(0, 40))} is neither "yes" nor "no"; `
      + 'the tune plays');
    return false;
  }

  write(muted) {
    try {
      window.localStorage.setItem(MUTE_ITEM, muted ? 'yes' : 'no');
    } catch (error) {
      this.warn('write', `the page's storage refused the mute (${error.message}); it is forgotten on leaving`);
      this.onRefused();
    }
  }
}
