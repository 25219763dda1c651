#include "desktop/pictures/embedded_files.h"

namespace munyura::desktop {

std::optional<std::span<const std::uint8_t>> FindEmbeddedPicture(std::string_view name) {
  for (const EmbeddedFile& file : EmbeddedPictures()) {
    if (file.name == name) {
      return file.bytes;
    }
  }
  return std::nullopt;
}

}  // namespace munyura::desktop
