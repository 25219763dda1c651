// Owning handles for SDL objects: each frees its object with the matching SDL
// call when it goes out of scope.
#pragma once

#include <SDL.h>

#include <memory>

namespace munyura::desktop {

struct SurfaceDeleter {
  void operator()(SDL_Surface* surface) const noexcept { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

struct TextureDeleter {
  void operator()(SDL_Texture* texture) const noexcept { SDL_DestroyTexture(texture); }
};
using TexturePtr = std::unique_ptr<SDL_Texture, TextureDeleter>;

struct RendererDeleter {
  void operator()(SDL_Renderer* renderer) const noexcept { SDL_DestroyRenderer(renderer); }
};
using RendererPtr = std::unique_ptr<SDL_Renderer, RendererDeleter>;

struct WindowDeleter {
  void operator()(SDL_Window* window) const noexcept { SDL_DestroyWindow(window); }
};
using WindowPtr = std::unique_ptr<SDL_Window, WindowDeleter>;

struct GameControllerDeleter {
  void operator()(SDL_GameController* controller) const noexcept {
    SDL_GameControllerClose(controller);
  }
};
using GameControllerPtr = std::unique_ptr<SDL_GameController, GameControllerDeleter>;

// SDL's video subsystem, started for as long as the object lives.
class SdlVideo {
 public:
  // Throws StartupError when there is no display to open a window on.
  SdlVideo();
  ~SdlVideo();
  SdlVideo(const SdlVideo&) = delete;
  SdlVideo& operator=(const SdlVideo&) = delete;
};

}  // namespace munyura::desktop
