#include <cstdlib>

#include "desktop/messages/messages.h"
#include "desktop/sdl_handles.h"
#include "desktop/window/startup_error.h"

namespace munyura::desktop {
namespace {

bool IsSet(const char* variable) {
  const char* const value = std::getenv(variable);
  return value != nullptr && *value != '\0';
}

// The desktop sessions the game can open its window in. Left to itself, SDL
// would fall back to drawing into memory where nobody sees it, and its probing
// of absent sessions prints noise of its own. SDL_VIDEODRIVER, SDL's own
// setting, still wins.
const char* DesktopVideoDrivers() {
  const bool x11 = IsSet("DISPLAY");
  const bool wayland = IsSet("WAYLAND_DISPLAY");
  if (x11 && wayland) {
    return "x11,wayland";
  }
  return wayland ? "wayland" : x11 ? "x11" : nullptr;
}

}  // namespace

StartupError SdlStartupError(const std::string& what) {
  return StartupError(what + ": " + SDL_GetError());
}

SdlVideo::SdlVideo() {
  if (!IsSet("SDL_VIDEODRIVER")) {
    const char* const drivers = DesktopVideoDrivers();
    if (drivers == nullptr) {
      throw StartupError(Translated(
          "no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is set)"));
    }
    SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers);
  }
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    throw SdlStartupError(Translated("no display to open the window on"));
  }
}

SdlVideo::~SdlVideo() {
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  SDL_Quit();
}

}  // namespace munyura::desktop
