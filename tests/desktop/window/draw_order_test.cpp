// Which element covers which when they overlap: the chick over the monument,
// Label1 over the chick and the posts, the start button over everything, and
// the posts that reach past the window's bottom edge cut off there.
#include <gtest/gtest.h>

#include <cstring>

#include "desktop/surface_pixels.h"
#include "desktop/text/control_painter.h"
#include "desktop/window/offscreen_window.h"
#include "key_codes.h"

namespace munyura {
namespace {

using testing::RgbAt;

std::uint32_t Rgb(const testing::Rgba& colour) {
  return static_cast<std::uint32_t>(colour.r) << 16 | colour.g << 8 | colour.b;
}

// Every pixel of the painted element that lies inside the window is on screen.
void ExpectPaintedOnTop(const SDL_Surface& frame, const scene::SceneControl& control,
                        const desktop::PaintedImage& painted) {
  const int left = static_cast<int>(control.Left);
  const int top = static_cast<int>(control.Top);
  long hidden = 0;
  for (int y = 0; y < painted.Height(); ++y) {
    for (int x = 0; x < painted.Width(); ++x) {
      if (left + x >= frame.w || top + y >= frame.h) {
        continue;
      }
      std::uint32_t pixel = 0;
      std::memcpy(&pixel, painted.Data() + y * painted.Stride() + x * 4, sizeof pixel);
      hidden += RgbAt(frame, left + x, top + y) != (pixel & 0xFFFFFF);
    }
  }
  EXPECT_EQ(hidden, 0) << control.Name << " is covered in " << hidden << " pixels";
}

TEST(DrawOrder, TheChickIsDrawnOverTheMonumentWhichShowsThroughItsBackground) {
  testing::OffscreenWindow window;
  window.Form().Command1_Click();
  const scene::Scene& scene = window.Form().Scene();
  const SDL_Surface& frame = window.Draw();
  const SDL_Surface& chick = *window.Pictures().PixelsOf(scene.Munyu().Picture()->Handle());
  const SDL_Surface& monument = *window.Pictures().PixelsOf(scene.Sekihi().Picture()->Handle());
  const int chick_x = 280;
  const int chick_y = 192;
  ASSERT_EQ(scene.Munyu().Left, chick_x);
  ASSERT_EQ(scene.Munyu().Top, chick_y);
  const auto chick_pixels = testing::SurfacePixels(chick);
  const auto monument_pixels = testing::SurfacePixels(monument);
  int opaque = 0;
  int see_through = 0;
  for (int y = 0; y < chick.h; ++y) {
    for (int x = 0; x < chick.w; ++x) {
      const testing::Rgba own = chick_pixels[static_cast<std::size_t>(y * chick.w + x)];
      // Sekihi stands at (232, 88); the chick's last rows hang below it.
      const int row_in_monument = chick_y + y - 88;
      const testing::Rgba behind = row_in_monument < monument.h
                                       ? monument_pixels[static_cast<std::size_t>(
                                             row_in_monument * monument.w + chick_x + x - 232)]
                                       : testing::kOpaqueWhite;
      const std::uint32_t expected = Rgb(own.Transparent() ? behind : own);
      ASSERT_EQ(RgbAt(frame, chick_x + x, chick_y + y), expected) << x << "," << y;
      ++(own.Transparent() ? see_through : opaque);
    }
  }
  EXPECT_GT(opaque, 500);
  EXPECT_GT(see_through, 100);
}

TEST(DrawOrder, Label1CoversTheChickAndTheBottomPosts) {
  testing::OffscreenWindow window;
  Form1& form = window.Form();
  form.Command1_Click();
  form.Form_KeyDown(kKeyZ, 0);  // the inscription band, shown over the monument
  form.Form_KeyDown(kKeyDown, 0);
  ASSERT_TRUE(testing::TickUntil(form, [&] { return form.Scene().Munyu().Top >= 270; }));
  const scene::SceneControl& label = form.Scene().Label1();
  ASSERT_EQ(label.Visible, kTrue);
  ASSERT_EQ(form.Scene().Line2(0).Visible, kTrue);
  const SDL_Surface& frame = window.Draw();
  ExpectPaintedOnTop(frame, label, desktop::PaintLabel(window.Fonts(), label, 1));
}

TEST(DrawOrder, TheStartButtonCoversEverythingAndIsCutAtTheWindowEdge) {
  testing::OffscreenWindow window;
  Form1& form = window.Form();
  // The button slides right and widens until it crosses the wall and the
  // window's right edge.
  ASSERT_TRUE(testing::TickUntil(form, [&] {
    const auto& button = form.Scene().Command1();
    return button.Left + button.Width > 640;
  }));
  const desktop::ButtonLook look{.focused = true};
  const SDL_Surface& frame = window.Draw(look);
  const scene::SceneControl& button = form.Scene().Command1();
  ExpectPaintedOnTop(frame, button,
                     desktop::PaintButton(window.Fonts(), button, look.focused, look.pressed, 1));
}

TEST(DrawOrder, PostsAreDrawnUpToTheWindowEdges) {
  testing::OffscreenWindow window;
  window.Form().Command1_Click();
  const SDL_Surface& frame = window.Draw();
  for (const int x : {256, 384}) {  // the bottom posts reach y 384, past the edge
    for (int y = 352; y < 380; ++y) {
      ASSERT_EQ(RgbAt(frame, x, y), 0u) << x << "," << y;
    }
  }
  for (int y = 0; y <= 32; ++y) {
    ASSERT_EQ(RgbAt(frame, 248, y), 0u) << y;
    ASSERT_EQ(RgbAt(frame, 376, y), 0u) << y;
  }
  for (int x = 0; x <= 48; ++x) {
    ASSERT_EQ(RgbAt(frame, x, 128), 0u) << x;
    ASSERT_EQ(RgbAt(frame, 616 - x, 232), 0u) << x;
  }
}

}  // namespace
}  // namespace munyura
