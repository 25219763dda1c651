// Pixels painted for the window: ARGB32 as Cairo paints them, each pixel one
// native-endian 32-bit word 0xAARRGGBB with premultiplied alpha, which is
// SDL_PIXELFORMAT_ARGB8888. Painted controls are opaque throughout.
#pragma once

#include <cairo.h>

#include <cstdint>

#include "desktop/text/text_handles.h"

namespace munyura::desktop {

class PaintedImage {
 public:
  // Transparent until painted. Throws std::invalid_argument for a size
  // outside 0 to 32767, std::runtime_error when Cairo cannot make it.
  PaintedImage(int width, int height);

  int Width() const noexcept;
  int Height() const noexcept;
  int Stride() const noexcept;  // bytes from one row to the next
  const std::uint8_t* Data() const noexcept;

  // 0xAARRGGBB; throws std::out_of_range outside the image.
  std::uint32_t PixelAt(int x, int y) const;

  // What the painter draws on; it flushes the surface before Data is read.
  cairo_surface_t& Surface() const noexcept { return *surface_; }

 private:
  CairoSurfacePtr surface_;
};

}  // namespace munyura::desktop
