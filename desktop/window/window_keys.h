// The keys that belong to the window rather than to the game: Ctrl+Plus (or
// Ctrl+=), Ctrl+Minus and Ctrl+0 zoom, F11 and Alt+Enter switch fullscreen,
// and M turns the tune off and on. The zoom and fullscreen keys never reach
// the game, neither their press nor their release nor their auto-repeats; M
// does, since the game may read it. Every other key passes untouched.
#pragma once

#include <SDL.h>

#include <set>

namespace munyura::desktop {

enum class WindowAction { kNone, kZoomIn, kZoomOut, kZoomReset, kToggleFullscreen, kToggleMute };

struct KeyVerdict {
  WindowAction action = WindowAction::kNone;
  bool reaches_game = true;
  bool operator==(const KeyVerdict&) const = default;
};

class WindowKeys {
 public:
  // For SDL_KEYDOWN and SDL_KEYUP events alike.
  KeyVerdict Judge(const SDL_KeyboardEvent& event);

 private:
  // Keys whose press the window took: their release is the window's too,
  // whatever modifiers are held by then.
  std::set<SDL_Scancode> taken_;
};

}  // namespace munyura::desktop
