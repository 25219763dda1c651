#include "desktop/surface_pixels.h"

#include <cstring>

namespace munyura::testing {
namespace {

// One pixel as SDL stores it: whole 8, 16 and 32-bit values in the machine's
// byte order, 24-bit ones byte by byte.
Uint32 PixelValue(const std::uint8_t* at, int bytes_per_pixel) {
  switch (bytes_per_pixel) {
    case 1:
      return *at;
    case 2: {
      Uint16 value = 0;
      std::memcpy(&value, at, sizeof value);
      return value;
    }
    case 3:
      return SDL_BYTEORDER == SDL_BIG_ENDIAN ? Uint32{at[0]} << 16 | Uint32{at[1]} << 8 | at[2]
                                             : Uint32{at[2]} << 16 | Uint32{at[1]} << 8 | at[0];
    default: {
      Uint32 value = 0;
      std::memcpy(&value, at, sizeof value);
      return value;
    }
  }
}

}  // namespace

std::vector<Rgba> SurfacePixels(const SDL_Surface& surface) {
  auto& writable = const_cast<SDL_Surface&>(surface);
  Uint32 key = 0;
  const bool keyed = SDL_GetColorKey(&writable, &key) == 0;
  const int bytes_per_pixel = surface.format->BytesPerPixel;

  SDL_LockSurface(&writable);
  std::vector<Rgba> pixels;
  pixels.reserve(static_cast<std::size_t>(surface.w) * static_cast<std::size_t>(surface.h));
  for (int y = 0; y < surface.h; ++y) {
    const auto* row = static_cast<const std::uint8_t*>(surface.pixels) + y * surface.pitch;
    for (int x = 0; x < surface.w; ++x) {
      const Uint32 value = PixelValue(row + x * bytes_per_pixel, bytes_per_pixel);
      Rgba colour;
      SDL_GetRGBA(value, surface.format, &colour.r, &colour.g, &colour.b, &colour.a);
      if (keyed && value == key) {
        colour.a = 0;
      }
      pixels.push_back(colour);
    }
  }
  SDL_UnlockSurface(&writable);
  return pixels;
}

}  // namespace munyura::testing
