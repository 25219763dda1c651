// The painted labels and start button, read back pixel by pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <utility>

#include "desktop/text/caption_fonts_for_tests.h"
#include "desktop/text/control_painter.h"
#include "scene/element_table.h"
#include "support/test_pictures.h"
#include "world/inscriptions.h"

namespace munyura::desktop {
namespace {

constexpr std::uint32_t kOpaque = 0xFF000000;
constexpr std::uint32_t kGreen = kOpaque | 0x00FF00;
constexpr std::uint32_t kWhite = kOpaque | 0xFFFFFF;
constexpr std::uint32_t kRed = kOpaque | 0xFF0000;
constexpr std::uint32_t kBlack = kOpaque;
constexpr std::uint32_t kLight = kOpaque | 0xDFDFDF;
constexpr std::uint32_t kShadow = kOpaque | 0x808080;
constexpr std::uint32_t kInvertedRed = kOpaque | 0x00FFFF;

const scene::Scene& Window() {
  static const scene::Scene window = scene::BuildScene(testing::TestPictures());
  return window;
}

int Channel(std::uint32_t argb, int shift) {
  return static_cast<int>((argb >> shift) & 0xFF);
}

// How far a pixel is from the back colour towards black, 0 to 255 in its
// brightest channel.
int Darkness(std::uint32_t pixel, std::uint32_t back) {
  int darkness = 0;
  for (const int shift : {0, 8, 16}) {
    darkness = std::max(darkness, Channel(back, shift) - Channel(pixel, shift));
  }
  return darkness;
}

struct Ink {
  long total = 0;  // summed darkness
  int dark_pixels = 0;
  int left = 0, top = 0, right = -1, bottom = -1;  // box of the pixels that are not back colour
};

Ink InkOf(const PaintedImage& image, std::uint32_t back, int x0, int y0, int x1, int y1) {
  Ink ink{.left = x1, .top = y1};
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const int darkness = Darkness(image.PixelAt(x, y), back);
      if (darkness == 0) {
        continue;
      }
      ink.total += darkness;
      ink.dark_pixels += darkness >= 192;
      ink.left = std::min(ink.left, x);
      ink.top = std::min(ink.top, y);
      ink.right = std::max(ink.right, x);
      ink.bottom = std::max(ink.bottom, y);
    }
  }
  return ink;
}

Ink InkOf(const PaintedImage& image, std::uint32_t back) {
  return InkOf(image, back, 0, 0, image.Width(), image.Height());
}

// Whether the pixel lies between the back colour and black: text antialiased
// in grey, nothing else.
bool IsBackOrText(std::uint32_t pixel, std::uint32_t back) {
  if ((pixel & kOpaque) != kOpaque) {
    return false;
  }
  const double coverage = Darkness(pixel, back) / 255.0;
  for (const int shift : {0, 8, 16}) {
    const double expected = Channel(back, shift) * (1 - coverage);
    if (std::abs(Channel(pixel, shift) - expected) > 1.5) {
      return false;
    }
  }
  return true;
}

scene::SceneControl Label1With(std::u16string_view caption, float width) {
  scene::SceneControl label = Window().Label1();
  label.Caption = caption;
  label.Width = width;
  return label;
}

TEST(PaintLabel, FillsItsRectangleWithItsBackColourAndBlackText) {
  const scene::SceneControl label = Label1With(world::Inscription(0), 617);
  const PaintedImage image = PaintLabel(testing::Fonts(), label, 1);
  ASSERT_EQ(image.Width(), 617);
  ASSERT_EQ(image.Height(), 129);
  ASSERT_GE(image.Stride(), 617 * 4);
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      ASSERT_TRUE(IsBackOrText(image.PixelAt(x, y), kGreen))
          << x << "," << y << ": " << std::hex << image.PixelAt(x, y);
    }
  }
  const Ink ink = InkOf(image, kGreen);
  EXPECT_GT(ink.dark_pixels, 300);
  // From the top-left corner, and below the text only back colour.
  EXPECT_LE(ink.left, 3);
  EXPECT_LE(ink.top, 6);
  const LaidOutText caption = LabelCaption(testing::Fonts(), label);
  EXPECT_LT(ink.bottom, caption.height);
  EXPECT_EQ(caption.lines.size(), 2u);
}

TEST(PaintLabel, WrapsTheTextInsideItsWidth) {
  for (const float width : {617.0F, 300.0F, 200.0F}) {
    SCOPED_TRACE(width);
    const scene::SceneControl label = Label1With(world::Inscription(27), width);
    const PaintedImage image = PaintLabel(testing::Fonts(), label, 1);
    const LaidOutText caption = LabelCaption(testing::Fonts(), label);
    ASSERT_LE(caption.width, width);
    const Ink ink = InkOf(image, kGreen);
    // Glyphs may reach a pixel past their advance, never further.
    EXPECT_LE(ink.right, caption.width + 1);
    // Every line of the layout is painted.
    for (std::size_t i = 0; i < caption.lines.size(); ++i) {
      const int top = static_cast<int>(i) * 27;
      if (top + 27 <= image.Height()) {
        EXPECT_GT(InkOf(image, kGreen, 0, top, image.Width(), top + 27).dark_pixels, 20)
            << "line " << i;
      }
    }
  }
}

TEST(PaintLabel, PaintsTheRestartLabelInBoldOnWhite) {
  const scene::SceneControl& label = Window().Label2();
  const PaintedImage bold = PaintLabel(testing::Fonts(), label, 1);
  ASSERT_EQ(bold.Width(), 53);
  ASSERT_EQ(bold.Height(), 15);
  for (int y = 0; y < bold.Height(); ++y) {
    for (int x = 0; x < bold.Width(); ++x) {
      ASSERT_TRUE(IsBackOrText(bold.PixelAt(x, y), kWhite)) << x << "," << y;
    }
  }
  scene::SceneControl regular_label = label;
  regular_label.Font.Bold = false;
  const Ink bold_ink = InkOf(bold, kWhite);
  const Ink regular_ink = InkOf(PaintLabel(testing::Fonts(), regular_label, 1), kWhite);
  EXPECT_GT(bold_ink.dark_pixels, 30);
  EXPECT_GT(bold_ink.total, regular_ink.total * 6 / 5) << "bold is not heavier";
}

TEST(PaintLabel, PaintsAtTwiceTheResolutionOnADenseDisplay) {
  const scene::SceneControl& label = Window().Label2();
  const PaintedImage single = PaintLabel(testing::Fonts(), label, 1);
  const PaintedImage dense = PaintLabel(testing::Fonts(), label, 2);
  ASSERT_EQ(dense.Width(), 106);
  ASSERT_EQ(dense.Height(), 30);
  const Ink one = InkOf(single, kWhite);
  const Ink two = InkOf(dense, kWhite);
  // Advances are whole pixels of either image, so the widths differ a little.
  const int width = 2 * (one.right - one.left);
  EXPECT_NEAR(two.right - two.left, width, width / 10);
  EXPECT_NEAR(two.bottom - two.top, 2 * (one.bottom - one.top), 3);
  // Drawn at that size, not enlarged: four times the dark pixels, give or take.
  EXPECT_GT(two.dark_pixels, 3 * one.dark_pixels);
}

TEST(PaintLabel, RefusesAScaleThatIsNotPositive) {
  EXPECT_THROW(PaintLabel(testing::Fonts(), Window().Label2(), 0), std::invalid_argument);
  EXPECT_THROW(PaintLabel(testing::Fonts(), Window().Label2(), -1), std::invalid_argument);
}

struct ButtonImages {
  PaintedImage up = PaintButton(testing::Fonts(), Window().Command1(), false, false, 1);
  PaintedImage focused = PaintButton(testing::Fonts(), Window().Command1(), true, false, 1);
  PaintedImage pressed = PaintButton(testing::Fonts(), Window().Command1(), false, true, 1);
  PaintedImage pressed_focused = PaintButton(testing::Fonts(), Window().Command1(), true, true, 1);
};

TEST(PaintButton, IsRedWithARaisedEdgeAndItsCaptionCentred) {
  const ButtonImages button;
  const PaintedImage& image = button.up;
  ASSERT_EQ(image.Width(), 137);
  ASSERT_EQ(image.Height(), 49);
  const std::pair<int, int> face[] = {{8, 24}, {128, 24}, {68, 7}, {68, 41}, {20, 10}};
  for (const auto& [x, y] : face) {
    EXPECT_EQ(image.PixelAt(x, y), kRed) << x << "," << y;
  }
  for (int y = 0; y < 48; ++y) {
    EXPECT_EQ(image.PixelAt(0, y), kWhite) << y;
    EXPECT_EQ(image.PixelAt(136, y), kBlack) << y;
  }
  for (int x = 0; x < 136; ++x) {
    EXPECT_EQ(image.PixelAt(x, 0), kWhite) << x;
    EXPECT_EQ(image.PixelAt(x, 48), kBlack) << x;
  }
  EXPECT_EQ(image.PixelAt(136, 0), kBlack) << "the shadow takes the corners";
  EXPECT_EQ(image.PixelAt(1, 20), kLight);
  EXPECT_EQ(image.PixelAt(20, 1), kLight);
  EXPECT_EQ(image.PixelAt(135, 20), kShadow);
  EXPECT_EQ(image.PixelAt(20, 47), kShadow);

  const Ink ink = InkOf(image, kRed, 2, 2, 135, 47);
  EXPECT_GT(ink.dark_pixels, 100);
  EXPECT_NEAR((ink.left + ink.right) / 2.0, 68, 2);
  EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 24, 4);
}

TEST(PaintButton, SinksAndMovesItsCaptionWhilePressed) {
  const ButtonImages button;
  const PaintedImage& image = button.pressed;
  EXPECT_EQ(image.PixelAt(0, 20), kShadow);
  EXPECT_EQ(image.PixelAt(20, 0), kShadow);
  EXPECT_EQ(image.PixelAt(1, 20), kBlack);
  EXPECT_EQ(image.PixelAt(136, 20), kWhite);
  EXPECT_EQ(image.PixelAt(20, 48), kWhite);
  EXPECT_EQ(image.PixelAt(135, 20), kLight);
  EXPECT_EQ(image.PixelAt(8, 24), kRed);

  const Ink up = InkOf(button.up, kRed, 2, 2, 135, 47);
  const Ink down = InkOf(image, kRed, 2, 2, 135, 47);
  EXPECT_EQ(down.left, up.left + 1);
  EXPECT_EQ(down.top, up.top + 1);
  EXPECT_EQ(down.right, up.right + 1);
  EXPECT_EQ(down.bottom, up.bottom + 1);
  EXPECT_EQ(down.total, up.total);
}

// The pixels of the ring four pixels inside the outline that are not the face.
int FocusDots(const PaintedImage& image) {
  int dots = 0;
  for (int x = 4; x <= 132; ++x) {
    dots += image.PixelAt(x, 4) != kRed;
    dots += image.PixelAt(x, 44) != kRed;
  }
  for (int y = 5; y < 44; ++y) {
    dots += image.PixelAt(4, y) != kRed;
    dots += image.PixelAt(132, y) != kRed;
  }
  return dots;
}

TEST(PaintButton, ShowsADottedFocusRectangleOnlyWhileFocused) {
  const ButtonImages button;
  EXPECT_EQ(FocusDots(button.up), 0);
  EXPECT_EQ(FocusDots(button.pressed), 0);
  // Every other pixel of the 129 x 41 ring, inverted.
  EXPECT_EQ(FocusDots(button.focused), (2 * 129 + 2 * 39) / 2);
  EXPECT_EQ(FocusDots(button.pressed_focused), FocusDots(button.focused));
  EXPECT_EQ(button.focused.PixelAt(4, 4), kInvertedRed);
  EXPECT_EQ(button.focused.PixelAt(5, 4), kRed);
  EXPECT_EQ(button.focused.PixelAt(6, 4), kInvertedRed);
  // Nothing else changes.
  const Ink inside_up = InkOf(button.up, kRed, 5, 5, 132, 44);
  const Ink inside_focused = InkOf(button.focused, kRed, 5, 5, 132, 44);
  EXPECT_EQ(inside_focused.total, inside_up.total);
}

TEST(PaintButton, KeepsTwoPixelEdgesAndItsCaptionWhenWiderAndDenser) {
  scene::SceneControl wide = Window().Command1();
  wide.Width = 397;
  const PaintedImage image = PaintButton(testing::Fonts(), wide, true, false, 2);
  ASSERT_EQ(image.Width(), 794);
  ASSERT_EQ(image.Height(), 98);
  for (const int x : {0, 1}) {
    EXPECT_EQ(image.PixelAt(x, 40), kWhite) << x;
    EXPECT_EQ(image.PixelAt(793 - x, 40), kBlack) << x;
  }
  EXPECT_EQ(image.PixelAt(2, 40), kLight);
  EXPECT_EQ(image.PixelAt(791, 40), kShadow);
  const Ink ink = InkOf(image, kRed, 20, 20, 774, 78);
  EXPECT_NEAR((ink.left + ink.right) / 2.0, 397, 3);
  EXPECT_GT(ink.dark_pixels, 400);
}

}  // namespace
}  // namespace munyura::desktop
