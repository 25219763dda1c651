#include "desktop/text/font_library.h"

#include <fontconfig/fontconfig.h>

namespace munyura::desktop {

FontLibrary::~FontLibrary() {
  if (maps_alive_ == 0) {
    FcFini();
  }
}

}  // namespace munyura::desktop
