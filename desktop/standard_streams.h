// The three standard descriptors made safe before anything else runs.
#pragma once

namespace munyura::desktop {

// Opens each of descriptors 0 to 2 that the game was started without on
// /dev/null, so that nothing opened later (the display connection, say) takes
// its number and receives the game's messages. And lets a message that cannot
// be written (standard error a pipe nobody reads any more) be dropped, where
// SIGPIPE would end the game.
void MakeStandardStreamsSafe();

}  // namespace munyura::desktop
