// The pictures as embedded: the files in assets/, GIFs of one frame looping forever; thirty
// different monuments, one chick turned four ways, an icon on a transparent background.
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <numeric>
#include <set>
#include <stdexcept>

#include "desktop/picture_pixels.h"
#include "desktop/pictures/embedded_files.h"
#include "desktop/pictures/picture_decoder.h"
#include "window_rules/picture_files.h"

namespace munyura::testing {
namespace {

using namespace window_rules;

Pixels Decoded(std::string_view name) {
  return SurfacePixels(*desktop::DecodePicture(desktop::FindEmbeddedPicture(name).value()));
}

std::set<Rgba> OpaqueColoursInsideTransparentCorners(const Pixels& picture) {
  for (const int x : {0, picture.width - 1}) {
    for (const int y : {0, picture.height - 1}) {
      EXPECT_TRUE(picture.At(x, y).Transparent()) << "corner " << x << "," << y;
    }
  }
  std::set<Rgba> opaque(picture.rgba.begin(), picture.rgba.end());
  std::erase_if(opaque, [](const Rgba& p) { return p.Transparent(); });
  return opaque;
}

TEST(Pictures, AreTheFilesInAssetsGif89aOfOneFrameLoopingForeverWithADelayOf30) {
  // The chick's four, the monuments and the icon, found below by the game's names for them.
  EXPECT_EQ(desktop::EmbeddedPictures().size(), kChickFiles.size() + kMonumentCount + 1);
  for (const auto& [name, embedded] : desktop::EmbeddedPictures()) {
    SCOPED_TRACE(name);
    const std::string path = std::string(MUNYURA_ASSETS_DIR) + "/" + std::string(name);
    std::ifstream file(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    EXPECT_TRUE(std::string(embedded.begin(), embedded.end()) == bytes) << "differs from assets/";
    if (name == kIconFile) {
      continue;
    }
    EXPECT_TRUE(bytes.starts_with("GIF89a"));
    EXPECT_NE(bytes.find(std::string("NETSCAPE2.0\3\1\0\0", 15)), std::string::npos)
        << "loops forever";
    const std::unique_ptr<IMG_Animation, decltype(&IMG_FreeAnimation)> animation(
        IMG_LoadAnimation(path.c_str()), IMG_FreeAnimation);
    ASSERT_TRUE(animation) << IMG_GetError();
    EXPECT_EQ(std::vector(animation->delays, animation->delays + animation->count),
              std::vector{300});
  }
  const std::uint8_t truncated[] = {'G', 'I', 'F', '8', '9', 'a', 0x96};
  EXPECT_THROW(desktop::DecodePicture({}), std::runtime_error);
  EXPECT_THROW(desktop::DecodePicture(truncated), std::runtime_error);
}

TEST(Monuments, AreBlackLinesOnWhiteEachClearlyDifferent) {
  std::vector<std::vector<Rgba>> monuments;
  for (int n = 0; n < kMonumentCount; ++n) {
    SCOPED_TRACE(MonumentFile(n));
    const std::vector<Rgba>& pixels = monuments.emplace_back(Decoded(MonumentFile(n)).rgba);
    EXPECT_EQ(std::set(pixels.begin(), pixels.end()), (std::set{kOpaqueBlack, kOpaqueWhite}));
    // Lines, not a blank stone nor a filled block: 2 % to 35 % ink.
    const auto ink = std::ranges::count(pixels, kOpaqueBlack);
    EXPECT_GT(ink, 150 * 150 * 2 / 100);
    EXPECT_LT(ink, 150 * 150 * 35 / 100);
    // 3 % of the pixels differ from every other stone's: far more than a retouched copy.
    for (std::size_t other = 0; other + 1 < monuments.size(); ++other) {
      EXPECT_GE(std::inner_product(pixels.begin(), pixels.end(), monuments[other].begin(), 0L,
                                   std::plus{}, std::not_equal_to{}),
                150 * 150 * 3 / 100)
          << "and " << MonumentFile(static_cast<int>(other));
    }
  }
}

TEST(Chick, IsOneWhiteAndBlackCreatureTurnedAQuarterAtATime) {
  for (std::size_t i = 0; i < kChickFiles.size(); ++i) {  // the last turned is the first again
    SCOPED_TRACE(kChickFiles[i]);
    const Pixels chick = Decoded(kChickFiles[i]);
    const Pixels before = Decoded(kChickFiles[(i + 3) % 4]);
    EXPECT_EQ(OpaqueColoursInsideTransparentCorners(chick), (std::set{kOpaqueBlack, kOpaqueWhite}));
    EXPECT_EQ(chick.At(chick.width / 2, chick.height / 2), kOpaqueWhite);
    const std::uint8_t global_palette = desktop::FindEmbeddedPicture(kChickFiles[i]).value()[10];
    EXPECT_LE(2 << (global_palette & 7), 4) << "white, black, the key";
    // A quarter turn clockwise from the one before: its left column is the top row.
    ASSERT_EQ(std::pair(chick.width, chick.height), std::pair(before.height, before.width));
    int mismatches = 0;
    for (int y = 0; y < chick.height; ++y) {
      for (int x = 0; x < chick.width; ++x) {
        const Rgba expected = before.At(y, before.height - 1 - x);
        mismatches +=
            expected.Transparent() ? !chick.At(x, y).Transparent() : expected != chick.At(x, y);
      }
    }
    EXPECT_EQ(mismatches, 0);
  }
}

TEST(Icon, Is64By64InAtMost16ColoursOnATransparentBackground) {
  const Pixels icon = Decoded(kIconFile);
  ASSERT_EQ(std::pair(icon.width, icon.height), std::pair(64, 64));
  // Sixteen palette entries, one of which is the transparency mask.
  EXPECT_LE(OpaqueColoursInsideTransparentCorners(icon).size(), 15U);
}

}  // namespace
}  // namespace munyura::testing
