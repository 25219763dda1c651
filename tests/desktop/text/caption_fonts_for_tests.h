// For the text and window tests: the fonts, loaded once (far slower than a layout), and the window.
#pragma once

#include "desktop/text/caption_fonts.h"
#include "scene/element_table.h"
#include "support/test_pictures.h"

namespace munyura::testing {

// Made before any fonts and so ended after them all.
inline desktop::FontLibrary& TheFontLibrary() {
  static desktop::FontLibrary library;
  return library;
}

inline const desktop::CaptionFonts& Fonts() {
  static const desktop::CaptionFonts fonts(TheFontLibrary());
  return fonts;
}

inline const scene::Scene& DesignedWindow() {
  static const scene::Scene window = scene::BuildScene(TestPictures());
  return window;
}

}  // namespace munyura::testing
