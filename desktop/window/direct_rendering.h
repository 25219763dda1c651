// Whether the display the window is on can give it a graphics card at all.
#pragma once

#include <SDL.h>

namespace munyura::desktop {

// True for an X server that offers no direct rendering (Xvfb, a remote
// display): OpenGL there would only rasterise on the processor, after
// loading a large driver to do it.
bool DisplayLacksDirectRendering(SDL_Window& window);

}  // namespace munyura::desktop
