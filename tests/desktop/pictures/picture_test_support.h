// Shared helpers of the picture tests: the embedded files by name, decoded.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "desktop/pictures/embedded_files.h"
#include "desktop/pictures/picture_decoder.h"
#include "desktop/sdl_handles.h"
#include "desktop/surface_pixels.h"

namespace munyura::testing {

// The embedded bytes of that picture; fails the test (by exception) if absent.
std::span<const std::uint8_t> EmbeddedBytes(std::string_view name);

// The picture decoded by the game's decoder.
desktop::SurfacePtr Decoded(std::string_view name);

// All the game's picture file names: the chick, the monuments, the icon.
std::vector<std::string> AllPictureNames();

}  // namespace munyura::testing
