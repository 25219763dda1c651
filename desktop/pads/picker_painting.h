// The letter picker as the desktop shows it while it is open: a dark band
// across the lower edge of the game with the 26 letters on the shared
// 13 x 2 grid, the highlighted one white on the selection's navy. It lies
// over the scene and is no part of it.
#pragma once

#include "desktop/text/caption_fonts.h"
#include "desktop/text/painted_image.h"
#include "window_rules/letterbox.h"

namespace munyura::desktop {

// The band, in game pixels: the game's whole width, its lowest 64 rows.
inline constexpr int kPickerTop = window_rules::kGameHeight - 64;
inline constexpr int kPickerHeight = window_rules::kGameHeight - kPickerTop;

// Where each letter's cell lies inside the band, in game pixels.
struct PickerCell {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};
PickerCell PickerCellOf(int letter);

// The band painted `width` x `height` image pixels large (its 621 x 64 game
// pixels at the window's scale), `highlighted` (A = 0 ... Z = 25) marked.
PaintedImage PaintLetterPicker(const CaptionFonts& fonts, int highlighted, int width, int height);

}  // namespace munyura::desktop
