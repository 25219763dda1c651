// How the game's window is shown on the desktop: its zoom, fullscreen or
// not, and where in it the game lies. None of it is the game's business: the
// game always sees 621 x 380 pixels.
#pragma once

#include <SDL.h>

#include <optional>

#include "window_rules/letterbox.h"

namespace munyura::desktop {

using window_rules::GamePoint;
using window_rules::Letterbox;

class WindowView {
 public:
  WindowView(SDL_Window& window, SDL_Renderer& renderer) : window_(&window), renderer_(&renderer) {}

  // The largest zoom whose window, with its frame, fits the usable area of
  // the display the window is on.
  int LargestZoom() const;
  // Makes the window 621 zoom x 380 zoom (or remembers that size for when
  // it leaves fullscreen), and keeps it on its display. Returns the zoom
  // given, kept within 1 to LargestZoom.
  int SetZoom(int zoom);
  // Desktop fullscreen on the window's display: no change of video mode.
  void SetFullscreen(bool fullscreen, int zoom);
  void ShowMuted(bool muted);

  // Where the game is drawn, in the renderer's output pixels.
  Letterbox Box() const;
  // A mouse position in the window's own units, in game pixels: wherever it
  // lies, and only where the game is.
  GamePoint GameCoordinates(int x, int y) const;
  std::optional<GamePoint> GameAt(int x, int y) const;

 private:
  // Output pixels per unit of the window's size: 2 on a double-density
  // display that counts in points.
  float OutputPerWindowUnit() const;

  SDL_Window* window_;
  SDL_Renderer* renderer_;
};

// Readies `renderer` to draw the game inside `box`, in output pixels from the
// game's corner: the whole output, its surround cleared, or only `part` of
// the game (in game pixels), where the output keeps the rest of its last
// frame.
void BeginGameFrame(SDL_Renderer& renderer, const Letterbox& box, const SDL_Rect* part = nullptr);

}  // namespace munyura::desktop
