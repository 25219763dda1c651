// The pictures compiled into the program are exactly the files in assets/:
// a stale or missing embedding fails here.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <vector>

#include "desktop/pictures/picture_test_support.h"

namespace munyura::testing {
namespace {

std::vector<std::uint8_t> FileBytes(const std::string& name) {
  std::ifstream file(std::string(MUNYURA_ASSETS_DIR) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(EmbeddedPictures, AreTheGamesPictureFilesAndNothingElse) {
  std::vector<std::string> embedded;
  for (const desktop::EmbeddedFile& file : desktop::EmbeddedPictures()) {
    embedded.emplace_back(file.name);
  }
  std::vector<std::string> expected = AllPictureNames();
  std::ranges::sort(embedded);
  std::ranges::sort(expected);
  EXPECT_EQ(embedded, expected);
}

TEST(EmbeddedPictures, EqualTheFilesInAssetsByteForByte) {
  for (const desktop::EmbeddedFile& file : desktop::EmbeddedPictures()) {
    const std::vector<std::uint8_t> on_disk = FileBytes(std::string(file.name));
    ASSERT_FALSE(on_disk.empty()) << file.name << " is missing from assets/";
    EXPECT_TRUE(std::ranges::equal(file.bytes, on_disk)) << file.name << " differs from assets/";
  }
}

}  // namespace
}  // namespace munyura::testing
