#include "desktop/pictures/game_pictures.h"

#include <stdexcept>
#include <string>
#include <utility>

#include "desktop/messages/messages.h"
#include "desktop/pictures/embedded_files.h"
#include "desktop/pictures/picture_decoder.h"
#include "window_rules/picture_files.h"

namespace munyura::desktop {

using window_rules::kChickFiles;
using window_rules::kIconFile;
using window_rules::kMonumentCount;
using window_rules::MonumentFile;
namespace {

SurfacePtr DecodeEmbeddedFile(std::string_view name) {
  const auto bytes = FindEmbeddedPicture(name);
  if (!bytes) {
    throw std::runtime_error(Translated("the picture {1} is not in the program", {name}));
  }
  try {
    return DecodePicture(*bytes);
  } catch (const std::runtime_error& error) {
    throw std::runtime_error(std::string(name) + ": " + error.what());
  }
}

}  // namespace

std::optional<std::uint32_t> TransparentColourOf(const SDL_Surface& surface) {
  Uint32 key = 0;
  if (SDL_GetColorKey(const_cast<SDL_Surface*>(&surface), &key) != 0) {
    return std::nullopt;
  }
  Uint8 red = 0;
  Uint8 green = 0;
  Uint8 blue = 0;
  SDL_GetRGB(key, surface.format, &red, &green, &blue);
  return static_cast<std::uint32_t>(blue) << 16 | static_cast<std::uint32_t>(green) << 8 | red;
}

GamePictures GamePictures::DecodeEmbedded() {
  GamePictures decoded;
  for (std::size_t i = 0; i < kChickFiles.size(); ++i) {
    decoded.pictures_.chick[i] = decoded.Adopt(DecodeEmbeddedFile(kChickFiles[i]));
  }
  for (int n = 0; n < kMonumentCount; ++n) {
    decoded.pictures_.monuments[static_cast<std::size_t>(n)] =
        decoded.Adopt(DecodeEmbeddedFile(MonumentFile(n)));
  }
  decoded.icon_ = DecodeEmbeddedFile(kIconFile);
  return decoded;
}

scene::SharedPicture GamePictures::Adopt(SurfacePtr surface) {
  // Handles count up from 1, so none is 0 and every picture has its own.
  const auto handle = static_cast<std::uint32_t>(pixels_.size() + 1);
  auto picture = std::make_shared<const scene::ScenePicture>(handle, surface->w, surface->h,
                                                             TransparentColourOf(*surface));
  pixels_.emplace(handle, std::move(surface));
  return picture;
}

const SDL_Surface* GamePictures::PixelsOf(std::uint32_t handle) const noexcept {
  const auto found = pixels_.find(handle);
  return found == pixels_.end() ? nullptr : found->second.get();
}

}  // namespace munyura::desktop
