// The end of the game when its display goes away under it (the X server
// stopped, the connection cut): one line of the game's own and exit status 1,
// instead of the X library's message.
#pragma once

namespace munyura::desktop {

// Takes over from the X library's handler of a lost connection; a no-op
// without the X11 driver. Call once the video subsystem is up.
void EndTheGameWhenTheDisplayGoesAway();

}  // namespace munyura::desktop
