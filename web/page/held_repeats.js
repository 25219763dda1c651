// The auto-repeats of keys held by the touch controls and pads, on the
// page's clock: the shared rules say when the next one is due, the page
// sleeps until then and sends it. Nothing wakes while nothing is held.

export function heldRepeats(game, onHandled) {
  let timer = null;
  const schedule = () => {
    if (timer !== null) {
      clearTimeout(timer);
      timer = null;
    }
    const wait = game.millisecondsUntilNextRepeat(performance.now());
    if (wait >= 0) {
      timer = setTimeout(() => {
        timer = null;
        onHandled(game.advanceHeld(performance.now()));
        schedule();
      }, wait);
    }
  };
  return schedule;
}
