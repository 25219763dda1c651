// Any picture or frame as colours pixel by pixel, whatever format SDL chose:
// a pixel equal to the colour key reads as fully transparent.
#pragma once

#include <SDL.h>

#include <compare>
#include <cstdint>
#include <vector>

namespace munyura::testing {

struct Rgba {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  std::uint8_t a = 0;
  auto operator<=>(const Rgba&) const = default;
  bool Transparent() const { return a < 128; }
};

inline constexpr Rgba kOpaqueBlack{0, 0, 0, 255};
inline constexpr Rgba kOpaqueWhite{255, 255, 255, 255};

// Row by row, top to bottom.
std::vector<Rgba> SurfacePixels(const SDL_Surface& surface);

}  // namespace munyura::testing
