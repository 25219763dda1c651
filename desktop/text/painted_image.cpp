#include "desktop/text/painted_image.h"

#include <cstddef>
#include <cstring>
#include <stdexcept>
#include <string>

#include "desktop/messages/messages.h"

namespace munyura::desktop {
namespace {

// Cairo's largest image side.
constexpr int kMaxSide = 32767;

}  // namespace

PaintedImage::PaintedImage(int width, int height) {
  if (width < 0 || height < 0 || width > kMaxSide || height > kMaxSide) {
    throw std::invalid_argument("image size out of range");
  }
  surface_.reset(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
  if (cairo_surface_status(surface_.get()) != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error(
        Translated("cannot make an image: {1}",
                   {cairo_status_to_string(cairo_surface_status(surface_.get()))}));
  }
}

int PaintedImage::Width() const noexcept {
  return cairo_image_surface_get_width(surface_.get());
}

int PaintedImage::Height() const noexcept {
  return cairo_image_surface_get_height(surface_.get());
}

int PaintedImage::Stride() const noexcept {
  return cairo_image_surface_get_stride(surface_.get());
}

const std::uint8_t* PaintedImage::Data() const noexcept {
  return cairo_image_surface_get_data(surface_.get());
}

std::uint32_t PaintedImage::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) {
    throw std::out_of_range("pixel outside the image");
  }
  std::uint32_t pixel = 0;
  std::memcpy(&pixel, Data() + static_cast<std::ptrdiff_t>(y) * Stride() + x * 4, sizeof pixel);
  return pixel;
}

}  // namespace munyura::desktop
