#include "platform/picture_test_support.h"

#include <stdexcept>

#include "platform/picture_files.h"

namespace munyura::testing {

std::span<const std::uint8_t> EmbeddedBytes(std::string_view name) {
  const auto bytes = platform::FindEmbeddedPicture(name);
  if (!bytes) {
    throw std::runtime_error("not embedded: " + std::string(name));
  }
  return *bytes;
}

platform::SurfacePtr Decoded(std::string_view name) {
  return platform::DecodePicture(EmbeddedBytes(name));
}

std::vector<std::string> AllPictureNames() {
  std::vector<std::string> names(platform::kChickFiles.begin(), platform::kChickFiles.end());
  for (int n = 0; n < platform::kMonumentCount; ++n) {
    names.push_back(platform::MonumentFile(n));
  }
  names.emplace_back(platform::kIconFile);
  return names;
}

}  // namespace munyura::testing
