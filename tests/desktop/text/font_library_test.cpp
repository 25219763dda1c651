// Fontconfig's process state is released at exit only once every font map has
// ended, or FcFini aborts; the leak checks of the sanitizer build see the rest.
#include <gtest/gtest.h>

#include "desktop/text/caption_fonts.h"
#include "desktop/text/caption_fonts_for_tests.h"

namespace munyura::desktop {
namespace {

TEST(FontLibrary, AMapStillSearchedOnPangosThreadHasEndedWhenItsFontsAre) {
  FontLibrary& library = testing::TheFontLibrary();
  const int alive_before = library.MapsAlive();
  for (int i = 0; i < 10; ++i) {
    {
      const CaptionFonts fonts(library);
      // Queues Pango's search for the rest of the fallback list, which its
      // thread runs on after the first font is back.
      LoadFont(fonts, testing::DesignedWindow().Label1().Font);
    }
    ASSERT_EQ(library.MapsAlive(), alive_before) << "round " << i;
  }
}

}  // namespace
}  // namespace munyura::desktop
