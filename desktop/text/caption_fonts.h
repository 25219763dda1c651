// Pango's side of the game's fonts: one font map on the game's own fontconfig
// configuration, made once at start-up, because loading fonts takes far
// longer than painting a caption. The process's own fontconfig configuration
// is left alone. Pango font maps are not thread-safe: captions are laid out
// and painted on one thread (the window's).
#pragma once

#include <string>

#include "desktop/text/font_library.h"
#include "desktop/text/font_setup.h"
#include "desktop/text/text_handles.h"
#include "scene/scene_control.h"

namespace munyura::desktop {

class CaptionFonts {
 public:
  // The library must outlive the fonts.
  explicit CaptionFonts(FontLibrary& library);
  ~CaptionFonts();
  CaptionFonts(const CaptionFonts&) = delete;
  CaptionFonts& operator=(const CaptionFonts&) = delete;

  const FontSetup& Setup() const noexcept { return setup_; }

  // A context for Japanese text with the game's rendering options: grey
  // antialiasing, slight hinting, glyph advances in whole pixels.
  GObjectPtr<PangoContext> NewContext() const;

 private:
  FontLibrary& library_;
  FontSetup setup_;
  GObjectPtr<PangoFontMap> font_map_;
  FontOptionsPtr options_;
};

// The Pango description of a caption font at its pixel size.
FontDescriptionPtr DescribeFont(scene::FontSpec font);

// The font Pango draws Japanese text of that font with.
struct LoadedFont {
  std::string family;
  double pixel_size = 0;
  bool bold = false;  // a bold face, or a regular one emboldened
};
LoadedFont LoadFont(const CaptionFonts& fonts, scene::FontSpec font);

}  // namespace munyura::desktop
