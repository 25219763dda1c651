// The game's fonts, loaded once for a whole test program: loading them takes
// far longer than any test that lays text out.
#pragma once

#include "platform/caption_fonts.h"

namespace munyura::testing {

const platform::CaptionFonts& Fonts();

}  // namespace munyura::testing
