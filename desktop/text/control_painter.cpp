#include "desktop/text/control_painter.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <utility>

#include "desktop/text/text_handles.h"

namespace munyura::desktop {
namespace {

// The button's edge: two rings of one pixel each.
constexpr int kEdgeRings = 2;
// The dotted focus rectangle lies this many pixels inside the outline.
constexpr int kFocusInset = 4;

// &H00BBGGRR& colours.
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t k3dLight = 0xDFDFDF;
constexpr std::uint32_t k3dShadow = 0x808080;

void SetColour(cairo_t& cairo, std::uint32_t bbggrr) {
  const auto channel = [bbggrr](int shift) { return ((bbggrr >> shift) & 0xFF) / 255.0; };
  cairo_set_source_rgb(&cairo, channel(0), channel(8), channel(16));
}

int WindowPixels(float size) {
  if (!std::isfinite(size) || size > 32767) {
    throw std::invalid_argument("control size out of range");
  }
  return size <= 0 ? 0 : static_cast<int>(std::lround(size));
}

// A control's image and a Cairo context on it that draws in window pixels.
class Canvas {
 public:
  Canvas(const scene::SceneControl& control, float scale)
      : width_(WindowPixels(control.Width)),
        height_(WindowPixels(control.Height)),
        image_(ImagePixels(width_, scale), ImagePixels(height_, scale)),
        cairo_(cairo_create(&image_.Surface())) {
    if (width_ > 0 && height_ > 0) {
      cairo_scale(cairo_.get(), static_cast<double>(image_.Width()) / width_,
                  static_cast<double>(image_.Height()) / height_);
    }
  }

  int Width() const noexcept { return width_; }
  int Height() const noexcept { return height_; }
  cairo_t& Cairo() const noexcept { return *cairo_; }

  PaintedImage Finish() && {
    cairo_.reset();
    cairo_surface_flush(&image_.Surface());
    return std::move(image_);
  }

 private:
  static int ImagePixels(int window_pixels, float scale) {
    if (!std::isfinite(scale) || scale <= 0) {
      throw std::invalid_argument("scale must be positive");
    }
    const double pixels = std::round(window_pixels * static_cast<double>(scale));
    if (pixels > 32767) {
      throw std::invalid_argument("image too large");
    }
    return static_cast<int>(pixels);
  }

  int width_;
  int height_;
  PaintedImage image_;
  CairoPtr cairo_;
};

// One ring of a 3D edge, `inset` pixels inside the outline. As on Windows,
// the bottom-right colour takes the corners it shares with the top-left one.
void DrawRing(cairo_t& cairo, int inset, int width, int height, std::uint32_t top_left,
              std::uint32_t bottom_right) {
  const double x = inset;
  const double y = inset;
  const double w = width - 2 * inset;
  const double h = height - 2 * inset;
  if (w <= 0 || h <= 0) {
    return;
  }
  SetColour(cairo, top_left);
  cairo_rectangle(&cairo, x, y, w - 1, 1);
  cairo_rectangle(&cairo, x, y, 1, h - 1);
  cairo_fill(&cairo);
  SetColour(cairo, bottom_right);
  cairo_rectangle(&cairo, x, y + h - 1, w, 1);
  cairo_rectangle(&cairo, x + w - 1, y, 1, h);
  cairo_fill(&cairo);
}

void DrawEdge(cairo_t& cairo, int width, int height, bool sunken) {
  if (sunken) {
    DrawRing(cairo, 0, width, height, k3dShadow, kWhite);
    DrawRing(cairo, 1, width, height, kBlack, k3dLight);
  } else {
    DrawRing(cairo, 0, width, height, kWhite, kBlack);
    DrawRing(cairo, 1, width, height, k3dLight, k3dShadow);
  }
}

// Every other pixel of the rectangle's outline inverted, as Windows draws the
// focus, so that it shows on any face colour.
void DrawFocusRectangle(cairo_t& cairo, int width, int height) {
  const int left = kFocusInset;
  const int top = kFocusInset;
  const int right = width - kFocusInset - 1;
  const int bottom = height - kFocusInset - 1;
  if (right <= left || bottom <= top) {
    return;
  }
  const auto dot = [&cairo](int x, int y) {
    if ((x + y) % 2 == 0) {
      cairo_rectangle(&cairo, x, y, 1, 1);
    }
  };
  for (int x = left; x <= right; ++x) {
    dot(x, top);
    dot(x, bottom);
  }
  for (int y = top + 1; y < bottom; ++y) {
    dot(left, y);
    dot(right, y);
  }
  cairo_save(&cairo);
  cairo_set_operator(&cairo, CAIRO_OPERATOR_DIFFERENCE);
  SetColour(cairo, kWhite);
  cairo_fill(&cairo);
  cairo_restore(&cairo);
}

}  // namespace

LaidOutText LabelCaption(const CaptionFonts& fonts, const scene::SceneControl& label) {
  return LayOut(fonts, label.Caption, label.Font, static_cast<float>(WindowPixels(label.Width)));
}

LaidOutText ButtonCaption(const CaptionFonts& fonts, const scene::SceneControl& button) {
  // A push button never breaks its caption: a word wider than the button
  // overflows it on both sides and is cut by its edges.
  return LayOut(fonts, button.Caption, button.Font, std::numeric_limits<float>::infinity());
}

PaintedImage PaintLabel(const CaptionFonts& fonts, const scene::SceneControl& label, float scale) {
  Canvas canvas(label, scale);
  cairo_t& cairo = canvas.Cairo();
  SetColour(cairo, label.BackColour);
  cairo_paint(&cairo);
  cairo_rectangle(&cairo, 0, 0, canvas.Width(), canvas.Height());
  cairo_clip(&cairo);
  SetColour(cairo, kBlack);
  DrawLines(fonts, cairo, LabelCaption(fonts, label), label.Font, LineAlignment::kLeft, 0, 0,
            static_cast<float>(canvas.Width()));
  return std::move(canvas).Finish();
}

PaintedImage PaintButton(const CaptionFonts& fonts, const scene::SceneControl& button, bool focused,
                         bool pressed, float scale) {
  Canvas canvas(button, scale);
  cairo_t& cairo = canvas.Cairo();
  const int width = canvas.Width();
  const int height = canvas.Height();
  SetColour(cairo, button.BackColour);
  cairo_paint(&cairo);
  DrawEdge(cairo, width, height, pressed);

  const LaidOutText caption = ButtonCaption(fonts, button);
  const float shift = pressed ? 1.0F : 0.0F;
  const float top = std::floor((static_cast<float>(height) - caption.height) / 2);
  cairo_save(&cairo);
  cairo_rectangle(&cairo, kEdgeRings, kEdgeRings, std::max(0, width - 2 * kEdgeRings),
                  std::max(0, height - 2 * kEdgeRings));
  cairo_clip(&cairo);
  SetColour(cairo, kBlack);
  DrawLines(fonts, cairo, caption, button.Font, LineAlignment::kCentre, shift, top + shift,
            static_cast<float>(width));
  cairo_restore(&cairo);

  if (focused) {
    DrawFocusRectangle(cairo, width, height);
  }
  return std::move(canvas).Finish();
}

}  // namespace munyura::desktop
