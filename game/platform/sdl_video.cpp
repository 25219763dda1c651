#include "platform/sdl_handles.h"
#include "platform/startup_error.h"

namespace munyura::platform {

StartupError SdlStartupError(const std::string& what) {
  return StartupError(what + ": " + SDL_GetError());
}

SdlVideo::SdlVideo() {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    throw SdlStartupError("no display to open the window on");
  }
}

SdlVideo::~SdlVideo() {
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  SDL_Quit();
}

}  // namespace munyura::platform
