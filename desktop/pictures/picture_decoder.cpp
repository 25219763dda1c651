#include "desktop/pictures/picture_decoder.h"

#include <SDL_image.h>

#include <cstddef>
#include <limits>
#include <stdexcept>
#include <string>

#include "desktop/messages/messages.h"

namespace munyura::desktop {

SurfacePtr DecodePicture(std::span<const std::uint8_t> bytes) {
  if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
    throw std::runtime_error(Translated("cannot decode a picture: it is too large"));
  }
  SDL_RWops* const stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  if (stream == nullptr) {
    throw std::runtime_error(Translated("cannot read a picture's data: {1}", {SDL_GetError()}));
  }
  // IMG_Load_RW closes the stream whatever happens (freesrc = 1).
  SurfacePtr surface(IMG_Load_RW(stream, 1));
  if (!surface) {
    throw std::runtime_error(Translated("cannot decode a picture: {1}", {IMG_GetError()}));
  }
  return surface;
}

}  // namespace munyura::desktop
