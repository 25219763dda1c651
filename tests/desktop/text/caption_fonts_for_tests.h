// The game's fonts, loaded once for a whole test program: loading them takes
// far longer than any test that lays text out.
#pragma once

#include "desktop/text/caption_fonts.h"

namespace munyura::testing {

const desktop::CaptionFonts& Fonts();

}  // namespace munyura::testing
