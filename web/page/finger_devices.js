// The device numbers the page gives the shared rules for the touch
// controls: each finger its own, apart from the pads' indices (0 to 3), and
// one for clicks without a pointer (a screen reader's, Enter on a button).

const FINGERS = 1000;

export const CLICK_DEVICE = FINGERS - 1;

export function fingerDevice(event) {
  return FINGERS + event.pointerId;
}
