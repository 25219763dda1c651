// The labels and the start button painted for a dense display, read back
// pixel by pixel. At the window's own resolution their looks are pinned,
// pixel for pixel, by the window's reference images
// (tests/desktop/window/golden).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>

#include "desktop/text/caption_fonts_for_tests.h"
#include "desktop/text/control_painter.h"

namespace munyura::desktop {
namespace {

using testing::DesignedWindow;
using testing::Fonts;

constexpr std::uint32_t kOpaque = 0xFF000000;

// The box of the pixels darker than `back` by at least half, and their number.
struct Ink {
  int dark_pixels = 0;
  int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
};

Ink InkOf(const PaintedImage& image, std::uint32_t back, int x0, int y0, int x1, int y1) {
  Ink ink;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      int darkness = 0;
      for (const int shift : {0, 8, 16}) {
        darkness = std::max(darkness, static_cast<int>((back >> shift) & 0xFF) -
                                          static_cast<int>((image.PixelAt(x, y) >> shift) & 0xFF));
      }
      if (darkness >= 128) {
        ++ink.dark_pixels;
        ink.left = std::min(ink.left, x);
        ink.top = std::min(ink.top, y);
        ink.right = std::max(ink.right, x);
        ink.bottom = std::max(ink.bottom, y);
      }
    }
  }
  return ink;
}

TEST(PaintControls, PaintAtTwiceTheResolutionOnADenseDisplay) {
  const scene::SceneControl& label = DesignedWindow().Label2();
  const PaintedImage single = PaintLabel(Fonts(), label, 1);
  const PaintedImage dense = PaintLabel(Fonts(), label, 2);
  ASSERT_EQ(dense.Width(), 106);
  ASSERT_EQ(dense.Height(), 30);
  const std::uint32_t white = kOpaque | 0xFFFFFF;
  const Ink one = InkOf(single, white, 0, 0, 53, 15);
  const Ink two = InkOf(dense, white, 0, 0, 106, 30);
  // Advances are whole pixels of either image, so the widths differ a little.
  const int width = 2 * (one.right - one.left);
  EXPECT_NEAR(two.right - two.left, width, width / 10);
  EXPECT_NEAR(two.bottom - two.top, 2 * (one.bottom - one.top), 3);
  // Drawn at that size, not enlarged: four times the dark pixels, give or take.
  EXPECT_GT(two.dark_pixels, 3 * one.dark_pixels);

  // The button keeps edges of two pixels each and its caption centred.
  scene::SceneControl wide = DesignedWindow().Command1();
  wide.Width = 397;
  const PaintedImage button = PaintButton(Fonts(), wide, true, false, 2);
  ASSERT_EQ(button.Width(), 794);
  ASSERT_EQ(button.Height(), 98);
  for (const int x : {0, 1}) {
    EXPECT_EQ(button.PixelAt(x, 40), white) << x;
    EXPECT_EQ(button.PixelAt(793 - x, 40), kOpaque) << x;
  }
  EXPECT_EQ(button.PixelAt(2, 40), kOpaque | 0xDFDFDF);
  EXPECT_EQ(button.PixelAt(791, 40), kOpaque | 0x808080);
  const Ink caption = InkOf(button, kOpaque | 0xFF0000, 20, 20, 774, 78);
  EXPECT_NEAR((caption.left + caption.right) / 2.0, 397, 3);
  EXPECT_GT(caption.dark_pixels, 400);
}

TEST(PaintControls, RefuseAScaleThatIsNotPositive) {
  EXPECT_THROW(PaintLabel(Fonts(), DesignedWindow().Label2(), 0), std::invalid_argument);
  EXPECT_THROW(PaintButton(Fonts(), DesignedWindow().Command1(), false, false, -1),
               std::invalid_argument);
}

}  // namespace
}  // namespace munyura::desktop
