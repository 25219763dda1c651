#include "desktop/pads/picker_painting.h"

#include <cairo.h>

#include <string>

#include "desktop/text/text_handles.h"
#include "desktop/text/text_layout.h"
#include "scene/element_table.h"
#include "window_rules/letter_picker.h"

namespace munyura::desktop {
namespace {

constexpr int kCellWidth = 45;
constexpr int kCellHeight = 27;
constexpr int kGap = 2;
constexpr int kMarginLeft =
    (window_rules::kGameWidth - window_rules::kPickerColumns * (kCellWidth + kGap) + kGap) / 2;
constexpr int kMarginTop =
    (kPickerHeight - window_rules::kPickerRows * (kCellHeight + kGap) + kGap) / 2;

// The window's own greys and the selection's navy, as 0xRRGGBB.
constexpr unsigned kBand = 0x404040;
constexpr unsigned kCell = 0xFFFFFF;
constexpr unsigned kHighlight = 0x000080;
constexpr unsigned kLetter = 0x000000;
constexpr unsigned kHighlightedLetter = 0xFFFFFF;

constexpr scene::FontSpec kLetterFont{scene::kGothic, 12, true};

void SetColour(cairo_t& cairo, unsigned rrggbb) {
  cairo_set_source_rgb(&cairo, ((rrggbb >> 16) & 0xFF) / 255.0, ((rrggbb >> 8) & 0xFF) / 255.0,
                       (rrggbb & 0xFF) / 255.0);
}

}  // namespace

PickerCell PickerCellOf(int letter) {
  return {kMarginLeft + window_rules::PickerColumn(letter) * (kCellWidth + kGap),
          kMarginTop + window_rules::PickerRow(letter) * (kCellHeight + kGap), kCellWidth,
          kCellHeight};
}

PaintedImage PaintLetterPicker(const CaptionFonts& fonts, int highlighted, int width, int height) {
  PaintedImage image(width, height);
  {
    const CairoPtr cairo_ptr(cairo_create(&image.Surface()));
    cairo_t& cairo = *cairo_ptr;
    // Drawn in game pixels; glyphs are rendered at the image's own scale.
    cairo_scale(&cairo, static_cast<double>(width) / window_rules::kGameWidth,
                static_cast<double>(height) / kPickerHeight);
    SetColour(cairo, kBand);
    cairo_paint(&cairo);
    for (int letter = 0; letter < window_rules::kLetterCount; ++letter) {
      const PickerCell cell = PickerCellOf(letter);
      const bool marked = letter == highlighted;
      SetColour(cairo, marked ? kHighlight : kCell);
      cairo_rectangle(&cairo, cell.left, cell.top, cell.width, cell.height);
      cairo_fill(&cairo);
      const std::u16string caption(1, static_cast<char16_t>(u'A' + letter));
      const LaidOutText text = LayOut(fonts, caption, kLetterFont, static_cast<float>(cell.width));
      SetColour(cairo, marked ? kHighlightedLetter : kLetter);
      DrawLines(fonts, cairo, text, kLetterFont, LineAlignment::kCentre,
                static_cast<float>(cell.left),
                static_cast<float>(cell.top) + (static_cast<float>(cell.height) - text.height) / 2,
                static_cast<float>(cell.width));
    }
  }
  cairo_surface_flush(&image.Surface());
  return image;
}

}  // namespace munyura::desktop
