// The game's one window: 621 x 380 pixels inside, fixed in size, white, with
// the game's caption and icon. On a high-density display it is drawn at the
// display's scale while the game still sees 621 x 380.
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
  SDL_Renderer& Renderer() const noexcept { return *renderer_; }
  // Output pixels per window pixel: 1 on an ordinary display, 2 on a
  // double-density one.
  float PixelScale() const;

 private:
  WindowPtr window_;
  RendererPtr renderer_;
};

// Renderer failures are shown in a message box as well as on stderr, since a
// player who started the game from a menu never sees stderr.
void ShowStartupFailure(const char* message);

}  // namespace munyura::desktop
