#include "desktop/text/text_layout.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "desktop/text/caption_fonts.h"
#include "desktop/text/font_setup.h"
#include "desktop/text/text_handles.h"
#include "window_rules/utf16_text.h"

namespace munyura::desktop {

using window_rules::BreakLines;
using window_rules::Utf8FromUtf16;
namespace {

void SetText(PangoLayout& layout, std::u16string_view text) {
  const std::string utf8 = Utf8FromUtf16(text);
  pango_layout_set_text(&layout, utf8.data(), static_cast<int>(utf8.size()));
}

// Spaces at the end of a line draw nothing and would only shift a centred one.
std::u16string_view WithoutHangingSpaces(std::u16string_view line) {
  const std::size_t last = line.find_last_not_of(u" \t\u3000");
  return last == std::u16string_view::npos ? std::u16string_view() : line.substr(0, last + 1);
}

}  // namespace

LaidOutText LayOut(const CaptionFonts& fonts, std::u16string_view caption, scene::FontSpec font,
                   float width) {
  const GObjectPtr<PangoContext> context = fonts.NewContext();
  const GObjectPtr<PangoLayout> layout(pango_layout_new(context.get()));
  const FontDescriptionPtr description = DescribeFont(font);
  pango_layout_set_font_description(layout.get(), description.get());
  const auto measure = [&layout](std::u16string_view line) {
    SetText(*layout, line);
    PangoRectangle logical{};
    pango_layout_get_extents(layout.get(), nullptr, &logical);
    return static_cast<float>(logical.width) / PANGO_SCALE;
  };
  LaidOutText text;
  text.lines = BreakLines(caption, width, measure);
  text.line_height = static_cast<float>(PixelsOfPoints(font.Size));
  for (const BrokenLine& line : text.lines) {
    text.width = std::max(text.width, line.width);
  }
  text.height = text.line_height * static_cast<float>(text.lines.size());
  return text;
}

void DrawLines(const CaptionFonts& fonts, cairo_t& cairo, const LaidOutText& text,
               scene::FontSpec font, LineAlignment alignment, float left, float top,
               float box_width) {
  const GObjectPtr<PangoContext> context = fonts.NewContext();
  pango_cairo_update_context(&cairo, context.get());
  const GObjectPtr<PangoLayout> layout(pango_layout_new(context.get()));
  const FontDescriptionPtr description = DescribeFont(font);
  pango_layout_set_font_description(layout.get(), description.get());
  float y = top;
  for (const BrokenLine& line : text.lines) {
    const float indent =
        alignment == LineAlignment::kCentre ? std::floor((box_width - line.width) / 2) : 0.0F;
    SetText(*layout, WithoutHangingSpaces(line.text));
    cairo_move_to(&cairo, left + indent, y);
    pango_cairo_show_layout(&cairo, layout.get());
    y += text.line_height;
  }
}

}  // namespace munyura::desktop
