// Captions laid out in the game's fonts: wrapped by the Japanese rules inside
// a width, measured with Pango, and drawn line by line onto Cairo.
#pragma once

#include <cairo.h>

#include <string_view>
#include <vector>

#include "desktop/text/caption_fonts.h"
#include "scene/scene_control.h"
#include "window_rules/line_breaks.h"

namespace munyura::desktop {

using window_rules::BrokenLine;

struct LaidOutText {
  std::vector<BrokenLine> lines;  // widths in pixels
  float line_height = 0;          // the font's size in pixels, as Windows spaces lines
  float width = 0;                // of the widest line
  float height = 0;               // of all the lines
};

// Lays the caption out in pixels at 96 dots per inch, wrapped inside `width`.
LaidOutText LayOut(const CaptionFonts& fonts, std::u16string_view caption, scene::FontSpec font,
                   float width);

enum class LineAlignment { kLeft, kCentre };

// Draws the lines in the current source colour, the first one's top at `top`,
// each left-aligned at `left` or centred on a box of `box_width` from `left`.
// Coordinates are those of the laid-out text; the transformation of `cairo`
// scales them to its pixels, and the glyphs are rendered at that scale.
void DrawLines(const CaptionFonts& fonts, cairo_t& cairo, const LaidOutText& text,
               scene::FontSpec font, LineAlignment alignment, float left, float top,
               float box_width);

}  // namespace munyura::desktop
