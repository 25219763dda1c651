// The page's music player. The game sends its music command on every tick;
// the C++ side parses it with the shared command parser and, for a `play` of
// the game's own tune, calls play() here. Browsers let a page make sound only
// after a gesture, so the tune waits for the first key or click; then it is
// decoded once and loops without a gap at the tune's exact length (the loop
// end cuts any padding the decoder leaves).

export class TunePlayer {
  constructor(tuneUrl, loopSeconds, onState) {
    this.tuneUrl = tuneUrl;
    this.loopSeconds = loopSeconds;
    this.onState = onState;
    this.wanted = false;
    this.context = null;
    this.source = null;
    this.buffer = null;
    this.muted = false;
    this.gain = null;
  }

  // Muted, the tune plays on at no volume, so it comes back in time.
  setMuted(muted) {
    this.muted = muted;
    if (this.gain) {
      this.gain.gain.value = muted ? 0 : 1;
    }
  }

  // The game's `play`: starts the tune once; while it plays, nothing changes.
  play() {
    this.wanted = true;
    this.startWhenReady();
  }

  // Called on the first key or click.
  async unlock() {
    if (this.context) {
      return;
    }
    // Opus decodes at 48 kHz: a context at that rate takes the decoded sound
    // as it is, with no resampler to shave a frame off the loop.
    this.context = new AudioContext({ sampleRate: 48000 });
    this.onState('waiting');
    try {
      const response = await fetch(this.tuneUrl);
      if (!response.ok) {
        throw new Error(`${this.tuneUrl}: ${response.status}`);
      }
      this.buffer = await this.context.decodeAudioData(await response.arrayBuffer());
      await this.context.resume();
    } catch (error) {
      // A page without its tune plays on in silence, and says why once.
      console.warn(`ムニュラ: the tune cannot be played (${error.message})`);
      this.onState('silent');
      return;
    }
    this.startWhenReady();
  }

  startWhenReady() {
    if (!this.wanted || !this.buffer || this.source) {
      return;
    }
    const source = this.context.createBufferSource();
    source.buffer = this.buffer;
    source.loop = true;
    source.loopStart = 0;
    source.loopEnd = Math.min(this.loopSeconds, this.buffer.duration);
    this.gain = this.context.createGain();
    this.setMuted(this.muted);
    source.connect(this.gain).connect(this.context.destination);
    source.start();
    this.source = source;
    this.onState('playing');
  }
}
