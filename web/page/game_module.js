// The game compiled to WebAssembly, seen from the page: Form1 behind the
// shared window rules, with the same names as the C++ side. Every rule (key
// codes, focus, clicks, the tick schedule, line breaking, the music command)
// runs in the C++; this class only carries values across.

const RECORD_FIELDS = [
  'kind', 'visible', 'left', 'top', 'width', 'height', 'x1', 'y1', 'x2', 'y2',
  'picture', 'backColour', 'fontPixels', 'fontBold',
];

// The shared rules' Action, in the order of its values.
export const ACTIONS = [
  'left', 'up', 'right', 'down', 'read', 'start', 'restart', 'picker', 'type', 'closePicker',
];

export class GameModule {
  // `pictureSizes` are [width, height] pairs in the order of pictureFiles().
  constructor(module, folder, pictureSizes) {
    this.module = module;
    const sizes = module._malloc(pictureSizes.length * 8);
    pictureSizes.forEach(([width, height], n) => {
      module.HEAP32[(sizes >> 2) + 2 * n] = width;
      module.HEAP32[(sizes >> 2) + 2 * n + 1] = height;
    });
    this.game = module.ccall('munyura_new_game', 'number', ['string', 'number', 'number'],
      [folder, sizes, pictureSizes.length]);
    module._free(sizes);
    this.lineCache = new Map();
  }

  static pictureFiles(module) {
    const count = module._munyura_picture_count();
    const names = [];
    for (let n = 0; n < count; ++n) {
      names.push(module.UTF8ToString(module._munyura_picture_file(n)));
    }
    return names;
  }

  pictureHandle(n) { return this.module._munyura_picture_handle(this.game, n); }

  load(now) { return this.module._munyura_load(this.game, now) !== 0; }
  takeDueTick(now) { return this.module._munyura_take_due_tick(this.game, now) !== 0; }
  tick() { return this.module._munyura_tick(this.game) !== 0; }
  millisecondsUntilNextTick(now) {
    return this.module._munyura_milliseconds_until_next_tick(this.game, now);
  }

  // { known: the game has a virtual key for it, virtualKey: that key,
  //   redraw: something may have changed }
  // `held` is { shift, control, alt }.
  keyDown(code, key, held) { return this.key('munyura_key_down', code, key, held); }
  keyUp(code, key, held) { return this.key('munyura_key_up', code, key, held); }
  key(name, code, key, held) {
    const bits = this.module.ccall(name, 'number',
      ['number', 'string', 'string', 'number', 'number', 'number'],
      [this.game, code, key, held.shift ? 1 : 0, held.control ? 1 : 0, held.alt ? 1 : 0]);
    return { known: (bits & 1) !== 0, redraw: (bits & 2) !== 0, virtualKey: bits >> 2 };
  }

  focusLost() { return this.module._munyura_focus_lost(this.game) !== 0; }
  mousePress(x, y) { return this.module._munyura_mouse_press(this.game, x, y) !== 0; }
  mouseRelease(x, y) { return this.module._munyura_mouse_release(this.game, x, y) !== 0; }
  mouseMove(x, y) { return this.module._munyura_mouse_move(this.game, x, y) !== 0; }

  // Held controls (the touch controls and pads) through the shared rules,
  // each returning whether something may have changed. `device` is any
  // number the page gives one control or pad; `action` an ACTIONS name;
  // `button` a standard-mapping button number; `now` performance.now().
  pressAction(device, action, now) {
    return this.module._munyura_press_action(this.game, device, ACTIONS.indexOf(action), now) !== 0;
  }
  releaseAction(device, action) {
    return this.module._munyura_release_action(this.game, device, ACTIONS.indexOf(action)) !== 0;
  }
  pressPadButton(device, button, now) {
    return this.module._munyura_press_pad_button(this.game, device, button, now) !== 0;
  }
  releasePadButton(device, button) {
    return this.module._munyura_release_pad_button(this.game, device, button) !== 0;
  }
  // A stick or the d-pad pointing at (x, y), each -1 ... 1, y downward.
  pointVector(device, x, y, now) {
    return this.module._munyura_point_vector(this.game, device, x, y, now) !== 0;
  }
  pressLetter(device, letter, now) {
    return this.module._munyura_press_letter(this.game, device, letter, now) !== 0;
  }
  releaseLetter(device, letter) {
    return this.module._munyura_release_letter(this.game, device, letter) !== 0;
  }
  unplug(device) { return this.module._munyura_unplug(this.game, device) !== 0; }
  heldFocusLost() { return this.module._munyura_held_focus_lost(this.game) !== 0; }
  advanceHeld(now) { return this.module._munyura_advance_held(this.game, now) !== 0; }
  // -1 while nothing is held.
  millisecondsUntilNextRepeat(now) {
    return this.module._munyura_milliseconds_until_next_repeat(this.game, now);
  }
  keyHeld(virtualKey) { return this.module._munyura_key_held(this.game, virtualKey) !== 0; }
  // Whether the key an ACTIONS name holds (an arrow, Z) is held down now.
  actionHeld(action) {
    return this.module._munyura_action_held(this.game, ACTIONS.indexOf(action)) !== 0;
  }

  // { open, highlighted: 0 (A) ... 25 (Z) }
  picker() {
    const bits = this.module._munyura_picker_state(this.game);
    return { open: (bits & 1) !== 0, highlighted: bits >> 1 };
  }

  // The picker's letters: { letter, column, row, key } for A ... Z, and its
  // column count.
  pickerLetters() {
    const letters = [];
    for (let n = 0; n < this.module._munyura_letter_count(); ++n) {
      letters.push({
        letter: n,
        column: this.module._munyura_picker_column(n),
        row: this.module._munyura_picker_row(n),
        key: this.module._munyura_letter_key(n),
      });
    }
    return letters;
  }
  pickerColumns() { return this.module._munyura_picker_columns(); }

  startButtonLook() {
    const bits = this.module._munyura_start_button_look(this.game);
    return { focused: (bits & 1) !== 0, pressed: (bits & 2) !== 0 };
  }

  roomX() { return this.module._munyura_room_x(this.game); }
  roomY() { return this.module._munyura_room_y(this.game); }

  // The window's inner area in game pixels: { width, height }.
  size() {
    return {
      width: this.module._munyura_scale_width(),
      height: this.module._munyura_scale_height(),
    };
  }

  // Where the game lies in an area of device pixels, by the window rules:
  // { scale, left, top, width, height }, in device pixels.
  fitGame(areaWidth, areaHeight) {
    const at = this.module._munyura_fit_game(this.game, areaWidth, areaHeight) >> 3;
    const [scale, left, top, width, height] = this.module.HEAPF64.subarray(at, at + 5);
    return { scale, left, top, width, height };
  }

  // A device pixel of the canvas, from its corner, in whole game pixels at
  // the last fitGame's scale.
  outputToGame(x, y) {
    const at = this.module._munyura_output_to_game(this.game, x, y) >> 3;
    return { x: this.module.HEAPF64[at], y: this.module.HEAPF64[at + 1] };
  }

  // Where whole game pixel `n` begins on the canvas at `scale`.
  outputPixel(n, scale) { return this.module._munyura_output_pixel(n, scale); }

  windowCaption() {
    const at = this.module._munyura_window_caption();
    return this.module.UTF16ToString(at, 2 * this.module._munyura_window_caption_length());
  }

  windowBackColour() { return this.module._munyura_window_back_colour(); }

  // The scene table, front-most first, with positions in whole pixels.
  controls() {
    const count = this.module._munyura_control_count(this.game);
    const controls = [];
    for (let position = 0; position < count; ++position) {
      const at = this.module._munyura_control_record(this.game, position) >> 3;
      const values = this.module.HEAPF64.subarray(at, at + RECORD_FIELDS.length);
      const control = { position };
      RECORD_FIELDS.forEach((field, n) => { control[field] = values[n]; });
      control.visible = control.visible !== 0;
      control.fontBold = control.fontBold !== 0;
      controls.push(control);
    }
    return controls;
  }

  // What Label1 shows: its caption while it is visible, else nothing.
  message() {
    const position = this.module._munyura_label1_position(this.game);
    const at = this.module._munyura_control_record(this.game, position) >> 3;
    const visible = this.module.HEAPF64[at + RECORD_FIELDS.indexOf('visible')] !== 0;
    return visible ? this.caption(position) : '';
  }

  caption(position) {
    const at = this.module._munyura_control_caption(this.game, position);
    return this.module.UTF16ToString(at, 2 * this.module._munyura_text_length(this.game));
  }

  // How captions are measured: measure(control, text) -> width in pixels.
  setCaptionMeasure(measure) { this.measure = measure; }

  // The caption of `control` broken into lines no wider than `width` by the
  // game's line-breaking rules, measured by the canvas.
  captionLines(control, width) {
    const caption = this.caption(control.position);
    const key = `${control.position}|${width}|${control.fontPixels}|${caption}`;
    const known = this.lineCache.get(key);
    if (known) {
      return known;
    }
    this.module.measureCaption = (text) => this.measure(control, text);
    const count = this.module._munyura_caption_line_count(this.game, control.position, width);
    const lines = [];
    for (let n = 0; n < count; ++n) {
      const at = this.module._munyura_caption_line(this.game, n);
      const text = this.module.UTF16ToString(at, 2 * this.module._munyura_text_length(this.game));
      lines.push({ text, width: this.module._munyura_caption_line_width(this.game, n) });
    }
    this.lineCache.set(key, lines);
    return lines;
  }
}
