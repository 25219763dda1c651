#include "desktop/picture_pixels.h"

#include <cstring>
#include <stdexcept>

#include "desktop/sdl_handles.h"

namespace munyura::testing {

std::vector<Rgba> SurfacePixels(const SDL_Surface& surface) {
  // Converting to bytes R, G, B, A turns the colour key into alpha 0.
  const desktop::SurfacePtr rgba(
      SDL_ConvertSurfaceFormat(const_cast<SDL_Surface*>(&surface), SDL_PIXELFORMAT_RGBA32, 0));
  if (!rgba) {
    throw std::runtime_error(SDL_GetError());
  }
  std::vector<Rgba> pixels(static_cast<std::size_t>(surface.w) *
                           static_cast<std::size_t>(surface.h));
  for (int y = 0; y < surface.h; ++y) {
    std::memcpy(&pixels[static_cast<std::size_t>(y * surface.w)],
                static_cast<const std::uint8_t*>(rgba->pixels) + y * rgba->pitch,
                static_cast<std::size_t>(surface.w) * sizeof(Rgba));
  }
  return pixels;
}

}  // namespace munyura::testing
