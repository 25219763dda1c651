// Play without a keyboard: the touch controls, the letter picker and the
// pads, each held through the shared rules, with their auto-repeats on the
// page's clock. Whatever they hold is let go when the page loses the focus.

import { GamepadInput } from './gamepad_input.js';
import { heldRepeats } from './held_repeats.js';
import { LetterPickerView } from './letter_picker_view.js';
import { TouchControls } from './touch_controls.js';

// `redraw(changed)` asks for a frame. Returns what the tick loop polls.
export function attachHeldInput(game, redraw) {
  const views = [];
  const look = (changed) => {
    redraw(changed);
    views.forEach((view) => view.refresh());
  };
  const schedule = heldRepeats(game, look);
  const handled = (changed) => {
    look(changed);
    schedule();
  };
  const touch = new TouchControls(document.getElementById('controls'), game, handled);
  views.push(touch, new LetterPickerView(document.getElementById('picker'), game, handled));
  const pads = new GamepadInput(game, handled, () => touch.hide());
  window.addEventListener('blur', () => handled(game.heldFocusLost()));
  pads.poll();
  return { poll: () => pads.poll() };
}
