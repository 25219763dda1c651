// The game's one window: 621 x 380 pixels inside (or a whole multiple of
// that when zoomed), fixed in size, with the game's caption and icon. The
// game is drawn at the largest whole scale that fits whatever size the
// window has; the game itself always sees 621 x 380.
#pragma once

#include <SDL.h>

#include "desktop/sdl_handles.h"

namespace munyura::desktop {

class GameWindow {
 public:
  // Creates the window hidden, so that the game can lay out its first screen
  // before anyone sees it. Throws StartupError when no renderer will start.
  explicit GameWindow(const SDL_Surface& icon);

  void Show();
  SDL_Window& Window() const noexcept { return *window_; }
  SDL_Renderer& Renderer() const noexcept { return *renderer_; }
  // Whether frames are drawn by the processor straight into the window,
  // which keeps what was drawn from one frame to the next.
  bool KeepsItsPixels() const noexcept { return software_; }

 private:
  WindowPtr window_;
  RendererPtr renderer_;
  bool software_ = false;
};

// Renderer failures are shown in a message box as well as on stderr, since a
// player who started the game from a menu never sees stderr.
void ShowStartupFailure(const char* message);

}  // namespace munyura::desktop
