// The pictures the player sees: the embedded bytes are the files in assets/,
// GIFs of one frame looping forever, each decoded at the size the game's rules
// are tested with; thirty different monuments, one chick turned four ways, an
// icon on a transparent background.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>

#include "desktop/picture_pixels.h"
#include "desktop/pictures/embedded_files.h"
#include "desktop/pictures/game_pictures.h"
#include "desktop/pictures/picture_decoder.h"
#include "support/test_pictures.h"
#include "window_rules/picture_files.h"

namespace munyura::testing {
namespace {

using window_rules::kChickFiles;
using window_rules::kMonumentCount;
using window_rules::MonumentFile;

// The chick's four files, the thirty monuments' and the icon's.
std::vector<std::string> AllPictureNames() {
  std::vector<std::string> names(window_rules::kChickFiles.begin(),
                                 window_rules::kChickFiles.end());
  for (int n = 0; n < window_rules::kMonumentCount; ++n) {
    names.push_back(window_rules::MonumentFile(n));
  }
  names.emplace_back(window_rules::kIconFile);
  return names;
}

// The embedded bytes of that picture, and the picture as the game decodes it.
std::span<const std::uint8_t> EmbeddedBytes(std::string_view name) {
  return desktop::FindEmbeddedPicture(name).value();  // throws if it is not embedded
}

desktop::SurfacePtr Decoded(std::string_view name) {
  return desktop::DecodePicture(EmbeddedBytes(name));
}

// What the decoder does not report, read from the GIF's blocks: the signature,
// the global palette's size, the frames, the loop count and the delays.
struct Gif {
  std::string version;
  int palette = 0;
  int frames = 0;
  std::optional<int> loops;
  std::vector<int> delays;
};

Gif ReadGif(std::span<const std::uint8_t> bytes) {
  std::size_t at = 0;
  const auto byte = [&] {
    if (at >= bytes.size()) {
      throw std::runtime_error("GIF ends early");
    }
    return int{bytes[at++]};
  };
  const auto skip = [&](int n) { at += static_cast<std::size_t>(n); };
  const auto table = [](int packed) { return (packed & 0x80) != 0 ? 2 << (packed & 7) : 0; };
  const auto sub_blocks = [&] {
    std::vector<std::vector<int>> blocks;
    for (int size = byte(); size != 0; size = byte()) {
      std::vector<int>& block = blocks.emplace_back();
      for (int i = 0; i < size; ++i) {
        block.push_back(byte());
      }
    }
    return blocks;
  };
  Gif gif;
  for (int i = 0; i < 6; ++i) {
    gif.version += static_cast<char>(byte());
  }
  skip(4);  // width and height
  gif.palette = table(byte());
  skip(2 + 3 * gif.palette);
  for (;;) {
    switch (byte()) {
      case 0x3B:  // trailer
        return gif;
      case 0x2C:  // image
        skip(8);
        skip(3 * table(byte()) + 1);
        sub_blocks();
        ++gif.frames;
        break;
      case 0x21: {
        const int label = byte();
        const auto blocks = sub_blocks();
        if (label == 0xF9 && blocks.size() == 1 && blocks[0].size() == 4) {
          gif.delays.push_back(blocks[0][1] | blocks[0][2] << 8);
        } else if (label == 0xFF && blocks.size() == 2 && blocks[1].size() == 3) {
          gif.loops = blocks[1][1] | blocks[1][2] << 8;  // NETSCAPE2.0
        }
        break;
      }
      default:
        throw std::runtime_error("unknown GIF block");
    }
  }
}

Rgba At(const std::vector<Rgba>& pixels, const SDL_Surface& size, int x, int y) {
  return pixels[static_cast<std::size_t>(y * size.w + x)];
}

// Checks the corners are transparent; returns the opaque colours.
std::set<Rgba> OpaqueColoursInsideTransparentCorners(const SDL_Surface& surface) {
  const std::vector<Rgba> pixels = SurfacePixels(surface);
  for (const auto& [x, y] :
       {std::pair{0, 0}, {surface.w - 1, 0}, {0, surface.h - 1}, {surface.w - 1, surface.h - 1}}) {
    EXPECT_TRUE(At(pixels, surface, x, y).Transparent()) << "corner " << x << "," << y;
  }
  std::set<Rgba> opaque;
  std::ranges::copy_if(pixels, std::inserter(opaque, opaque.end()),
                       [](const Rgba& p) { return !p.Transparent(); });
  return opaque;
}

TEST(Pictures, AreTheFilesInAssetsGif89aOfOneFrameLoopingForeverWithADelayOf30) {
  EXPECT_EQ(desktop::EmbeddedPictures().size(), AllPictureNames().size());
  for (const std::string& name : AllPictureNames()) {
    SCOPED_TRACE(name);
    std::ifstream file(std::string(MUNYURA_ASSETS_DIR) + "/" + name, std::ios::binary);
    const std::vector<std::uint8_t> on_disk{std::istreambuf_iterator<char>(file), {}};
    EXPECT_TRUE(std::ranges::equal(EmbeddedBytes(name), on_disk)) << "differs from assets/";
    if (name != window_rules::kIconFile) {
      const Gif gif = ReadGif(EmbeddedBytes(name));
      EXPECT_EQ(std::tuple(gif.version, gif.frames, gif.loops, gif.delays),
                std::tuple("GIF89a", 1, std::optional(0), std::vector{30}));
    }
  }
  const std::uint8_t noise[] = {0x13, 0x37, 0x00, 0xFF, 0x42, 0x42, 0x42, 0x42};
  const std::uint8_t truncated[] = {'G', 'I', 'F', '8', '9', 'a', 0x96};
  EXPECT_THROW(desktop::DecodePicture({}), std::runtime_error);
  EXPECT_THROW(desktop::DecodePicture(noise), std::runtime_error);
  EXPECT_THROW(desktop::DecodePicture(truncated), std::runtime_error);
}

// The sizes matter to the rules (walls, doorways, edges): the logic's tests
// use the same ones.
TEST(Pictures, DecodeAtTheSizesTheRulesAreTestedWith) {
  const desktop::GamePictures decoded = desktop::GamePictures::DecodeEmbedded();
  const scene::PictureSet stand_in = TestPictures();
  for (std::size_t i = 0; i < 34; ++i) {
    const auto& real = i < 4 ? decoded.Pictures().chick[i] : decoded.Pictures().monuments[i - 4];
    const auto& expected = i < 4 ? stand_in.chick[i] : stand_in.monuments[i - 4];
    const SDL_Surface& pixels = *decoded.PixelsOf(real->Handle());
    EXPECT_EQ(std::tuple(pixels.w, pixels.h, real->Width(), real->Height()),
              std::tuple(expected->Width(), expected->Height(), pixels.w, pixels.h))
        << i;
  }
}

TEST(Monuments, AreBlackLinesOnWhiteEachClearlyDifferent) {
  std::vector<std::vector<Rgba>> monuments;
  for (int n = 0; n < kMonumentCount; ++n) {
    SCOPED_TRACE(MonumentFile(n));
    const std::vector<Rgba>& pixels =
        monuments.emplace_back(SurfacePixels(*Decoded(MonumentFile(n))));
    EXPECT_EQ(std::set(pixels.begin(), pixels.end()), (std::set{kOpaqueBlack, kOpaqueWhite}));
    // Lines, not a blank stone nor a filled block: 2 % to 35 % ink.
    const auto ink = std::ranges::count(pixels, kOpaqueBlack);
    EXPECT_GT(ink, 150 * 150 * 2 / 100);
    EXPECT_LT(ink, 150 * 150 * 35 / 100);
  }
  // At least 3 % of the pixels differ between any two stones: far more than a
  // retouched copy.
  for (std::size_t a = 0; a < monuments.size(); ++a) {
    for (std::size_t b = a + 1; b < monuments.size(); ++b) {
      long differing = 0;
      for (std::size_t i = 0; i < monuments[a].size(); ++i) {
        differing += monuments[a][i] != monuments[b][i];
      }
      EXPECT_GE(differing, 150 * 150 * 3 / 100) << "monuments " << a << " and " << b;
    }
  }
}

TEST(Chick, IsOneWhiteAndBlackCreatureTurnedAQuarterAtATime) {
  for (std::size_t i = 0; i < kChickFiles.size(); ++i) {  // the last turned is the first again
    SCOPED_TRACE(kChickFiles[i]);
    const desktop::SurfacePtr chick = Decoded(kChickFiles[i]);
    EXPECT_EQ(OpaqueColoursInsideTransparentCorners(*chick),
              (std::set{kOpaqueBlack, kOpaqueWhite}));
    EXPECT_EQ(At(SurfacePixels(*chick), *chick, chick->w / 2, chick->h / 2), kOpaqueWhite);
    EXPECT_LE(ReadGif(EmbeddedBytes(kChickFiles[i])).palette, 4) << "white, black, the key";
    // A quarter turn clockwise from the one before: its left column is the top row.
    const desktop::SurfacePtr before = Decoded(kChickFiles[(i + 3) % 4]);
    ASSERT_EQ(std::pair(chick->w, chick->h), std::pair(before->h, before->w));
    const std::vector<Rgba> source = SurfacePixels(*before);
    const std::vector<Rgba> turned = SurfacePixels(*chick);
    int mismatches = 0;
    for (int y = 0; y < chick->h; ++y) {
      for (int x = 0; x < chick->w; ++x) {
        const Rgba expected = At(source, *before, y, before->h - 1 - x);
        const Rgba actual = At(turned, *chick, x, y);
        mismatches += expected.Transparent() != actual.Transparent() ||
                      (!expected.Transparent() && expected != actual);
      }
    }
    EXPECT_EQ(mismatches, 0);
  }
}

TEST(Icon, Is64By64InAtMost16ColoursOnATransparentBackground) {
  const desktop::SurfacePtr icon = Decoded(window_rules::kIconFile);
  ASSERT_EQ(std::pair(icon->w, icon->h), std::pair(64, 64));
  // Sixteen palette entries, one of which is the transparency mask.
  EXPECT_LE(OpaqueColoursInsideTransparentCorners(*icon).size(), 15U);
}

}  // namespace
}  // namespace munyura::testing
