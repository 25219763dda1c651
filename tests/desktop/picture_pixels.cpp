#include "desktop/picture_pixels.h"

#include <cstring>
#include <stdexcept>

#include "desktop/pictures/embedded_files.h"
#include "desktop/pictures/picture_decoder.h"
#include "window_rules/picture_files.h"

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

std::vector<std::string> AllPictureNames() {
  std::vector<std::string> names(window_rules::kChickFiles.begin(),
                                 window_rules::kChickFiles.end());
  for (int n = 0; n < window_rules::kMonumentCount; ++n) {
    names.push_back(window_rules::MonumentFile(n));
  }
  names.emplace_back(window_rules::kIconFile);
  return names;
}

std::span<const std::uint8_t> EmbeddedBytes(std::string_view name) {
  const auto bytes = desktop::FindEmbeddedPicture(name);
  if (!bytes) {
    throw std::runtime_error("not embedded: " + std::string(name));
  }
  return *bytes;
}

desktop::SurfacePtr Decoded(std::string_view name) {
  return desktop::DecodePicture(EmbeddedBytes(name));
}

}  // namespace munyura::testing
