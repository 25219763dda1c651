// Turns picture files (GIF, PNG) into SDL surfaces, with SDL_image: the one
// decoder the game uses, for the embedded pictures and nothing else.
#pragma once

#include <cstdint>
#include <span>

#include "desktop/sdl_handles.h"

namespace munyura::desktop {

// The decoded picture, palette and colour key as the file has them. Throws
// std::runtime_error with the decoder's message when the bytes are not a
// picture it can read.
SurfacePtr DecodePicture(std::span<const std::uint8_t> bytes);

}  // namespace munyura::desktop
