#include "desktop/window/window_keys.h"

#include "desktop/window/virtual_keys.h"

namespace munyura::desktop {
namespace {

// What a press means to the window, ignoring auto-repeat.
WindowAction ActionOf(const SDL_Keysym& key) {
  const bool ctrl = (key.mod & KMOD_CTRL) != 0;
  const bool alt = (key.mod & KMOD_ALT) != 0;
  if (key.scancode == SDL_SCANCODE_F11) {
    return WindowAction::kToggleFullscreen;
  }
  if (alt && !ctrl &&
      (key.scancode == SDL_SCANCODE_RETURN || key.scancode == SDL_SCANCODE_KP_ENTER)) {
    return WindowAction::kToggleFullscreen;
  }
  if (ctrl && !alt) {
    // By what the key types, so that each layout's own Plus key zooms; the
    // keypad's keys type the same on every layout.
    if (key.sym == SDLK_PLUS || key.sym == SDLK_EQUALS || key.scancode == SDL_SCANCODE_KP_PLUS) {
      return WindowAction::kZoomIn;
    }
    if (key.sym == SDLK_MINUS || key.scancode == SDL_SCANCODE_KP_MINUS) {
      return WindowAction::kZoomOut;
    }
    if (key.sym == SDLK_0 || key.scancode == SDL_SCANCODE_0 || key.scancode == SDL_SCANCODE_KP_0) {
      return WindowAction::kZoomReset;
    }
    return WindowAction::kNone;
  }
  // M is the game's letter M on this layout, as the game itself would read it.
  if (!ctrl && !alt && VirtualKeyOf(key) == 'M') {
    return WindowAction::kToggleMute;
  }
  return WindowAction::kNone;
}

}  // namespace

KeyVerdict WindowKeys::Judge(const SDL_KeyboardEvent& event) {
  const SDL_Scancode scancode = event.keysym.scancode;
  if (event.type == SDL_KEYUP) {
    return {WindowAction::kNone, taken_.erase(scancode) == 0};
  }
  if (event.repeat != 0) {
    // Holding a window key does not zoom on and on or flicker fullscreen.
    return {WindowAction::kNone, !taken_.contains(scancode)};
  }
  const WindowAction action = ActionOf(event.keysym);
  if (action == WindowAction::kNone || action == WindowAction::kToggleMute) {
    // A release lost while the window had no focus is forgotten here.
    taken_.erase(scancode);
    return {action, true};
  }
  taken_.insert(scancode);
  return {action, false};
}

}  // namespace munyura::desktop
