// What the player sees: every picture at its size, in its colours, looping
// GIFs of one frame; thirty monuments that are all different; one chick
// turned four ways; an icon that keeps its background transparent.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "desktop/pictures/gif_structure.h"
#include "desktop/pictures/picture_test_support.h"
#include "window_rules/picture_files.h"

namespace munyura::testing {
namespace {

using window_rules::kChickFiles;
using window_rules::MonumentFile;

struct Size {
  int width;
  int height;
  bool operator==(const Size&) const = default;
};

Size SizeOf(const SDL_Surface& surface) {
  return {surface.w, surface.h};
}

std::vector<std::string> GifNames() {
  std::vector<std::string> names = AllPictureNames();
  std::erase(names, std::string(window_rules::kIconFile));
  return names;
}

Rgba At(const std::vector<Rgba>& pixels, Size size, int x, int y) {
  return pixels[static_cast<std::size_t>(y * size.width + x)];
}

std::set<Rgba> OpaqueColours(const std::vector<Rgba>& pixels) {
  std::set<Rgba> opaque;
  for (const Rgba& pixel : pixels) {
    if (!pixel.Transparent()) {
      opaque.insert(pixel);
    }
  }
  return opaque;
}

void ExpectTransparentCorners(const std::vector<Rgba>& pixels, Size size) {
  for (const auto& [x, y] : {std::pair{0, 0},
                             {size.width - 1, 0},
                             {0, size.height - 1},
                             {size.width - 1, size.height - 1}}) {
    EXPECT_TRUE(At(pixels, size, x, y).Transparent()) << "corner " << x << "," << y;
  }
}

TEST(PictureFiles, AreGif89aOfOneFrameLoopingForeverWithADelayOf30) {
  for (const std::string& name : GifNames()) {
    SCOPED_TRACE(name);
    const GifStructure gif = ReadGifStructure(EmbeddedBytes(name));
    EXPECT_EQ(gif.version, "89a");
    EXPECT_EQ(gif.frames, 1);
    EXPECT_EQ(gif.loop_count, 0);
    EXPECT_EQ(gif.delays, std::vector<int>{30});
  }
}

TEST(PictureFiles, DecodeToTheirExactSizes) {
  const struct {
    std::string name;
    Size size;
  } cases[] = {
      {"chick-up.gif", {47, 49}},      {"chick-right.gif", {49, 47}},
      {"chick-down.gif", {47, 49}},    {"chick-left.gif", {49, 47}},
      {"monument-00.gif", {150, 150}}, {"monument-29.gif", {150, 150}},
      {"icon.png", {64, 64}},
  };
  for (const auto& [name, size] : cases) {
    EXPECT_EQ(SizeOf(*Decoded(name)), size) << name;
  }
  for (int n = 0; n < window_rules::kMonumentCount; ++n) {
    EXPECT_EQ(SizeOf(*Decoded(MonumentFile(n))), (Size{150, 150})) << n;
  }
}

TEST(Monuments, AreBlackLinesOnWhiteWithoutTransparency) {
  for (int n = 0; n < window_rules::kMonumentCount; ++n) {
    SCOPED_TRACE(MonumentFile(n));
    EXPECT_FALSE(ReadGifStructure(EmbeddedBytes(MonumentFile(n))).transparent_indices.at(0));
    const std::vector<Rgba> pixels = SurfacePixels(*Decoded(MonumentFile(n)));
    const std::set<Rgba> colours(pixels.begin(), pixels.end());
    EXPECT_EQ(colours, (std::set<Rgba>{kOpaqueBlack, kOpaqueWhite}));
    // Lines, not a blank stone and not a filled block: between 2 % and 35 %
    // of the picture is ink.
    const auto ink = std::ranges::count(pixels, kOpaqueBlack);
    EXPECT_GT(ink, 150 * 150 * 2 / 100);
    EXPECT_LT(ink, 150 * 150 * 35 / 100);
  }
}

TEST(Monuments, DifferFromEachOtherByAClearMargin) {
  std::vector<std::vector<Rgba>> monuments;
  for (int n = 0; n < window_rules::kMonumentCount; ++n) {
    monuments.push_back(SurfacePixels(*Decoded(MonumentFile(n))));
  }
  // At least 3 % of the pixels (675) differ between any two stones: far more
  // than a retouched copy, and each stone's own drawing is larger than that.
  constexpr long kClearMargin = 150 * 150 * 3 / 100;
  for (int a = 0; a < window_rules::kMonumentCount; ++a) {
    for (int b = a + 1; b < window_rules::kMonumentCount; ++b) {
      long differing = 0;
      for (std::size_t i = 0; i < monuments[0].size(); ++i) {
        differing +=
            monuments[static_cast<std::size_t>(a)][i] != monuments[static_cast<std::size_t>(b)][i];
      }
      EXPECT_GE(differing, kClearMargin) << "monuments " << a << " and " << b;
    }
  }
}

TEST(Chick, IsWhiteAndBlackOnATransparentSurround) {
  for (const std::string_view name : kChickFiles) {
    SCOPED_TRACE(name);
    const desktop::SurfacePtr surface = Decoded(name);
    const Size size = SizeOf(*surface);
    const std::vector<Rgba> pixels = SurfacePixels(*surface);
    std::set<Rgba> opaque;
    for (const Rgba& pixel : pixels) {
      if (!pixel.Transparent()) {
        opaque.insert(pixel);
      }
    }
    EXPECT_EQ(opaque, (std::set<Rgba>{kOpaqueBlack, kOpaqueWhite}));
    for (const auto& [x, y] : {std::pair{0, 0},
                               {size.width - 1, 0},
                               {0, size.height - 1},
                               {size.width - 1, size.height - 1}}) {
      EXPECT_TRUE(At(pixels, size, x, y).Transparent()) << "corner " << x << "," << y;
    }
    EXPECT_EQ(At(pixels, size, size.width / 2, size.height / 2), kOpaqueWhite);
    // The palette holds white, black and the transparent colour.
    EXPECT_LE(ReadGifStructure(EmbeddedBytes(name)).global_colours, 4);
  }
}

TEST(Chick, IsOneCreatureTurnedAQuarterAtATime) {
  for (std::size_t i = 0; i + 1 < kChickFiles.size(); ++i) {
    SCOPED_TRACE(kChickFiles[i + 1]);
    const desktop::SurfacePtr before = Decoded(kChickFiles[i]);
    const desktop::SurfacePtr after = Decoded(kChickFiles[i + 1]);
    const Size from = SizeOf(*before);
    const Size to = SizeOf(*after);
    ASSERT_EQ(to, (Size{from.height, from.width}));
    const std::vector<Rgba> source = SurfacePixels(*before);
    const std::vector<Rgba> turned = SurfacePixels(*after);
    int mismatches = 0;
    for (int y = 0; y < to.height; ++y) {
      for (int x = 0; x < to.width; ++x) {
        // A quarter turn clockwise: the left column becomes the top row.
        const Rgba expected = At(source, from, y, from.height - 1 - x);
        const Rgba actual = At(turned, to, x, y);
        mismatches += expected.Transparent() != actual.Transparent() ||
                      (!expected.Transparent() && expected != actual);
      }
    }
    EXPECT_EQ(mismatches, 0);
  }
}

TEST(Icon, Is64By64InAtMost16ColoursOnATransparentBackground) {
  const desktop::SurfacePtr surface = Decoded(window_rules::kIconFile);
  const Size size = SizeOf(*surface);
  ASSERT_EQ(size, (Size{64, 64}));
  const std::vector<Rgba> pixels = SurfacePixels(*surface);
  const std::set<Rgba> opaque = OpaqueColours(pixels);
  // Sixteen palette entries, one of which is the transparency mask.
  EXPECT_LE(opaque.size(), 15u);
  EXPECT_GE(opaque.size(), 3u) << "the face needs its white, its outline and its colours";
  ExpectTransparentCorners(pixels, size);
  EXPECT_EQ(At(pixels, size, 32, 28), kOpaqueWhite) << "the face between the eyes is white";
}

}  // namespace
}  // namespace munyura::testing
