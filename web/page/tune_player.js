// The page's music player. The game sends its music command on every tick;
// the C++ side parses it with the shared command parser and, for a `play` of
// the game's own tune, calls play() here. The tune is fetched and decoded
// right after the first frame, into an audio context that browsers keep
// suspended until the first gesture; it is started there at once, so the
// first key or click only lets the sound out. It loops without a gap at the
// tune's exact length (the loop end cuts any padding the decoder leaves).

export class TunePlayer {
  // `lengthUrl` holds the loop's length in frames, beside the tune.
  constructor(tuneUrl, lengthUrl, onState) {
    this.tuneUrl = tuneUrl;
    this.lengthUrl = lengthUrl;
    this.onState = onState;
    this.loopSeconds = Infinity;
    this.wanted = false;
    this.silent = false;
    this.context = null;
    this.source = null;
    this.buffer = null;
    this.prepared = null;
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

  // Fetches and decodes the tune; resolves when it is ready or cannot be.
  prepare() {
    if (!this.prepared) {
      this.prepared = this.load();
    }
    return this.prepared;
  }

  async load() {
    try {
      // Opus decodes at 48 kHz: a context at that rate takes the decoded
      // sound as it is, with no resampler to shave a frame off the loop.
      this.context = new AudioContext({ sampleRate: 48000 });
      this.context.addEventListener('statechange', () => this.noteState());
      const [encoded, loopSeconds] = await Promise.all([this.fetchTune(), this.fetchLoopSeconds()]);
      this.loopSeconds = loopSeconds;
      this.buffer = await this.context.decodeAudioData(encoded);
    } catch (error) {
      // A page without its tune plays on in silence, and says why once.
      console.warn(`ムニュラ: the tune cannot be played (${error.message})`);
      this.silent = true;
      this.onState('silent');
      return;
    }
    this.startWhenReady();
  }

  async fetchTune() {
    const response = await fetch(this.tuneUrl);
    if (!response.ok) {
      throw new Error(`${this.tuneUrl}: ${response.status}`);
    }
    return response.arrayBuffer();
  }

  // Without its length the tune still loops, at the decoded sound's end.
  async fetchLoopSeconds() {
    try {
      const response = await fetch(this.lengthUrl);
      const length = await response.json();
      return length.loopFrames / length.frameRate;
    } catch {
      return Infinity;
    }
  }

  // Called on the first key or click, within the gesture that allows sound.
  unlock() {
    this.prepare();
    if (this.context) {
      this.context.resume().catch(() => {});
    }
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
    // In a suspended context it begins the moment the context runs.
    source.start();
    this.source = source;
    this.noteState();
  }

  noteState() {
    if (!this.silent) {
      this.onState(this.source && this.context.state === 'running' ? 'playing' : 'waiting');
    }
  }
}
