#include "desktop/pictures/picture_test_support.h"

#include <stdexcept>

#include "window_rules/picture_files.h"

namespace munyura::testing {

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

std::vector<std::string> AllPictureNames() {
  std::vector<std::string> names(window_rules::kChickFiles.begin(),
                                 window_rules::kChickFiles.end());
  for (int n = 0; n < window_rules::kMonumentCount; ++n) {
    names.push_back(window_rules::MonumentFile(n));
  }
  names.emplace_back(window_rules::kIconFile);
  return names;
}

}  // namespace munyura::testing
