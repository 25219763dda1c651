// Any picture or frame as RGBA pixels, whatever SDL's format; the colour key reads as transparent.
#pragma once

#include <SDL.h>

#include <compare>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "desktop/sdl_handles.h"

namespace munyura::testing {

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 0;
  auto operator<=>(const Rgba&) const = default;
  bool Transparent() const { return a < 128; }
};

inline constexpr Rgba kOpaqueBlack{0, 0, 0, 255};
inline constexpr Rgba kOpaqueWhite{255, 255, 255, 255};

struct Pixels {
  int width = 0, height = 0;
  std::vector<Rgba> rgba;
  Rgba At(int x, int y) const { return rgba[static_cast<std::size_t>(y * width + x)]; }
  bool operator==(const Pixels&) const = default;
};

inline Pixels SurfacePixels(const SDL_Surface& surface) {
  // As bytes R, G, B, A the colour key becomes alpha 0, and rows need no padding.
  const desktop::SurfacePtr converted(
      SDL_ConvertSurfaceFormat(const_cast<SDL_Surface*>(&surface), SDL_PIXELFORMAT_RGBA32, 0));
  if (!converted) {
    throw std::runtime_error(SDL_GetError());
  }
  const auto* const first = static_cast<const Rgba*>(converted->pixels);
  return {surface.w, surface.h, std::vector(first, first + surface.w * surface.h)};
}

}  // namespace munyura::testing
