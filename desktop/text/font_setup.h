// The fonts the game's captions are drawn with. Every caption asks for
// "ＭＳ Ｐゴシック", a Windows face that no Linux package provides, so the game
// adds its own fontconfig aliases for it (IPAPGothic, then VL PGothic, then
// any font that covers Japanese) and pins the rendering settings, so that the
// text looks the same whatever the user's own font settings say. Nothing is
// written to the user's files; the rules live in the configuration object.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "desktop/text/text_handles.h"

namespace munyura::desktop {

// The window is laid out at 96 dots per inch: 20.25 pt is 27 px.
constexpr double PixelsOfPoints(double points) {
  return points * 96.0 / 72.0;
}

class FontSetup {
 public:
  // The system's and the user's font configuration with the game's rules
  // added, and the fonts it lists. `extra_rules` are fontconfig elements
  // read after the game's and before the fonts are scanned; the game passes
  // none. Throws std::runtime_error when fontconfig cannot load, and
  // std::invalid_argument when the extra rules do not parse.
  explicit FontSetup(std::string_view extra_rules = {});

  FcConfig* Config() const noexcept { return config_.get(); }

  // Whether any installed font covers Japanese.
  bool CoversJapanese() const;

  // The family Japanese text in that face is drawn with: the first font of
  // the face's fallback list that has kana, or the first of the list when no
  // font has them.
  std::string FamilyFor(std::u16string_view face) const;

  // A line for stderr naming the package to install when no font covers
  // Japanese; the game runs without it, its text drawn as boxes.
  std::optional<std::string> MissingFontWarning() const;

 private:
  FcConfigPtr config_;
};

}  // namespace munyura::desktop
