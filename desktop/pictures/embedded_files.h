// Files compiled into the executable at build time (see cmake/embed_files.cmake),
// so the game needs no picture files beside it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace munyura::desktop {

struct EmbeddedFile {
  std::string_view name;  // the file's name in assets/, such as "monument-07.gif"
  std::span<const std::uint8_t> bytes;
};

// The chick in its four directions, the thirty monuments and the icon.
std::span<const EmbeddedFile> EmbeddedPictures();

// The embedded file of that name, if there is one.
std::optional<std::span<const std::uint8_t>> FindEmbeddedPicture(std::string_view name);

}  // namespace munyura::desktop
