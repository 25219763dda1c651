// The game's pictures, decoded once at start-up from the embedded files: the
// PictureSet the logic builds its scene from (sizes and Handles), and the
// pixels behind every Handle for whoever draws the window.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <map>
#include <optional>

#include "desktop/sdl_handles.h"
#include "scene/scene_picture.h"

namespace munyura::desktop {

class GamePictures {
 public:
  // Throws std::runtime_error naming the file that is missing or unreadable.
  static GamePictures DecodeEmbedded();

  const scene::PictureSet& Pictures() const noexcept { return pictures_; }
  // The decoded pixels of the picture with that Handle, or null for a Handle
  // that is not one of the game's pictures.
  const SDL_Surface* PixelsOf(std::uint32_t handle) const noexcept;
  const SDL_Surface& Icon() const noexcept { return *icon_; }

 private:
  GamePictures() = default;
  scene::SharedPicture Adopt(SurfacePtr surface);

  scene::PictureSet pictures_;
  std::map<std::uint32_t, SurfacePtr> pixels_;
  SurfacePtr icon_;
};

// &H00BBGGRR& of the surface's colour key, if it has one.
std::optional<std::uint32_t> TransparentColourOf(const SDL_Surface& surface);

}  // namespace munyura::desktop
