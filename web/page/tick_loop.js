// Runs Timer1_Timer on the game's own schedule: the C++ tick schedule says
// when a tick is due and how long to wait, so the grid never drifts and a
// stall (a hidden tab) gives one tick, never a burst. Between ticks the page
// sleeps in setTimeout.

export function startTickLoop(game, onTick) {
  const wake = () => {
    const now = performance.now();
    if (game.takeDueTick(now)) {
      onTick(game.tick(), now);
    }
    setTimeout(wake, game.millisecondsUntilNextTick(performance.now()));
  };
  setTimeout(wake, game.millisecondsUntilNextTick(performance.now()));
}
