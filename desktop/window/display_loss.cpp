#include "desktop/window/display_loss.h"

#include <SDL.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "desktop/messages/messages.h"

// Last: Xlib's macros (None, Bool, Status) clash with names above.
#include <X11/Xlib.h>

namespace munyura::desktop {
namespace {

// Nothing can be drawn or closed properly any more, and the handler must not
// return: the line goes straight to descriptor 2 and the process ends without
// running destructors that would talk to the display.
[[noreturn]] int ReportLostDisplay(Display* /*display*/) {
  const std::string line =
      "ムニュラ: " + Translated("the connection to the display was lost") + '\n';
  [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, line.data(), line.size());
  _exit(1);
}

}  // namespace

void EndTheGameWhenTheDisplayGoesAway() {
  const char* const driver = SDL_GetCurrentVideoDriver();
  if (driver != nullptr && std::strcmp(driver, "x11") == 0) {
    XSetIOErrorHandler(ReportLostDisplay);
  }
}

}  // namespace munyura::desktop
