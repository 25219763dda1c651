#include "desktop/text/caption_fonts_for_tests.h"

namespace munyura::testing {

const desktop::CaptionFonts& Fonts() {
  static const desktop::CaptionFonts fonts;
  return fonts;
}

}  // namespace munyura::testing
