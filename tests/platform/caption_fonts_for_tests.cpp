#include "platform/caption_fonts_for_tests.h"

namespace munyura::testing {

const platform::CaptionFonts& Fonts() {
  static const platform::CaptionFonts fonts;
  return fonts;
}

}  // namespace munyura::testing
