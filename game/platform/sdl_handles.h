// Owning handles for SDL objects: each frees its object with the matching SDL
// call when it goes out of scope.
#pragma once

#include <SDL.h>

#include <memory>

namespace munyura::platform {

struct SurfaceDeleter {
  void operator()(SDL_Surface* surface) const noexcept { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

}  // namespace munyura::platform
