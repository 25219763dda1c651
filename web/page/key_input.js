// Keyboard events to the game's key handlers. The C++ side turns
// KeyboardEvent.code and .key into a virtual-key code, as the desktop does
// with its key events, and routes it through the start button's focus rules.
// Auto-repeats are passed on. Keys the game knows do not scroll the page;
// anything pressed with Ctrl, Alt or Meta is a browser shortcut: the game
// still reads the key, as on the desktop, and the browser acts on it too. A
// key still held when the page loses the focus is let go, so no walk sticks,
// and a press of the start button then held is cancelled without a click.

function modifiers(event) {
  return { shift: event.shiftKey, control: event.ctrlKey, alt: event.altKey };
}

function isBrowserShortcut(event) {
  return event.ctrlKey || event.altKey || event.metaKey;
}

export function attachKeys(target, game, onHandled) {
  const held = new Map(); // code -> key, of keys the game was told are down

  target.addEventListener('keydown', (event) => {
    const result = game.keyDown(event.code, event.key, modifiers(event));
    if (result.known) {
      held.set(event.code, event.key);
      if (!isBrowserShortcut(event)) {
        event.preventDefault();
      }
    }
    onHandled(result.redraw);
  });

  target.addEventListener('keyup', (event) => {
    const result = game.keyUp(event.code, event.key, modifiers(event));
    if (result.known && !isBrowserShortcut(event)) {
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
}
