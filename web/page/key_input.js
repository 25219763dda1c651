// Keyboard events to the game's key handlers. The C++ side turns
// KeyboardEvent.code and .key into a virtual-key code, as the desktop does
// with its key events, and routes it through the start button's focus rules.
// Every key reaches the game, auto-repeats too. The page keeps from the
// browser only the keys the game uses that the browser would act on itself:
// the arrows and Space scroll, Enter follows a focused link, a letter may
// start a find-as-you-type. F1-F12, Escape, Tab and anything pressed with
// Ctrl, Alt or Meta keep their browser meaning. A key still held when the
// page loses the focus is let go, so no walk sticks, and a press of the start
// button then held is cancelled without a click.

function modifiers(event) {
  return { shift: event.shiftKey, control: event.ctrlKey, alt: event.altKey };
}

function browserWouldTake(event) {
  if (event.ctrlKey || event.altKey || event.metaKey) {
    return false;
  }
  return event.key.startsWith('Arrow') || event.code === 'Space' || event.key === 'Enter'
    || event.code.startsWith('Key') || /^\p{L}$/u.test(event.key);
}

// `onPress(event, result)` hears every press after the game has; the result
// names the game's virtual key. Returns the count of presses the game was
// given, by KeyboardEvent.code.
export function attachKeys(target, game, onHandled, onPress) {
  const held = new Map(); // code -> key, of keys the game was told are down
  const presses = {};

  target.addEventListener('keydown', (event) => {
    const result = game.keyDown(event.code, event.key, modifiers(event));
    presses[event.code] = (presses[event.code] || 0) + 1;
    if (result.known) {
      held.set(event.code, event.key);
      if (browserWouldTake(event)) {
        event.preventDefault();
      }
    }
    onPress(event, result);
    onHandled(result.redraw);
  });

  target.addEventListener('keyup', (event) => {
    const result = game.keyUp(event.code, event.key, modifiers(event));
    if (result.known && browserWouldTake(event)) {
      event.preventDefault();
    }
    held.delete(event.code);
    onHandled(result.redraw);
  });

  window.addEventListener('blur', () => {
    // First the loss, so that the releases below cannot click the button.
    let redraw = game.focusLost();
    for (const [code, key] of held) {
      redraw = game.keyUp(code, key, { shift: false, control: false, alt: false }).redraw || redraw;
    }
    held.clear();
    onHandled(redraw);
  });
  return presses;
}
