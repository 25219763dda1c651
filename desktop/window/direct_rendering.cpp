#include "desktop/window/direct_rendering.h"

// Last: with the X11 driver this brings in Xlib, whose macros (None, Bool,
// Status) would clash with other headers.
#include <SDL_syswm.h>

#include <array>

namespace munyura::desktop {

bool DisplayLacksDirectRendering([[maybe_unused]] SDL_Window& window) {
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(&window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
    return false;
  }
  // Mesa's drivers render directly through DRI3 or DRI2, NVIDIA's through its
  // own extension.
  constexpr std::array kDirectRendering{"DRI3", "DRI2", "NV-GLX"};
  for (const char* const extension : kDirectRendering) {
    int opcode = 0;
    int first_event = 0;
    int first_error = 0;
    if (XQueryExtension(info.info.x11.display, extension, &opcode, &first_event, &first_error)) {
      return false;
    }
  }
  return true;
#else
  return false;
#endif
}

}  // namespace munyura::desktop
