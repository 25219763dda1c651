// Where a pointer lands: on the game, fitted and centred, and on its button or label.
#include "window_rules/letterbox.h"
#include "window_rules/mouse_clicks.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>
#include <tuple>
#include <vector>

#include "scene/element_table.h"
#include "support/test_pictures.h"

namespace munyura::window_rules {
namespace {

// A whole scale while it fills three quarters of the limiting side, else
// that side filled exactly; centred.
TEST(FitGameTest, AsLargeAsFitsCentred) {
  const struct {
    int width, height;
    Letterbox expected;
  } cases[] = {
      {300, 200, {300.0F / 621, 0, 8, 300, 184}},  // smaller than the game
      {828, 600, {1, 103, 110, 621, 380}},         // 621 is three quarters of 828
      {829, 600, {829.0F / 621, 0, 46, 829, 507}},
      {844, 390, {1, 111, 5, 621, 380}},              // the height limits
      {1280, 720, {720.0F / 380, 51, 0, 1177, 720}},  // the desktop's fullscreen
      {2048, 1280, {3, 92, 70, 1863, 1140}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FitGame(c.width, c.height), c.expected) << c.width << " x " << c.height;
  }
}

TEST(GameAtTest, OutputPointsInTheGamePixelTheyLieInAndNothingOnTheSurround) {
  const Letterbox box = FitGame(1280, 720);  // 720 / 380 output pixels per game pixel
  // Game column 300 begins 300 * 720 / 380 = 568.42 output pixels in.
  const struct {
    float x, y;
    std::optional<GamePoint> expected;
  } cases[] = {
      {51, 0, GamePoint{0, 0}},
      {51 + 568.3f, 1.8f, GamePoint{299, 0}},
      {51 + 568.5f, 1.9f, GamePoint{300, 1}},
      {51 + 1176, 719, GamePoint{620, 379}},
      {51 + 1177, 0, std::nullopt},
      {50.9f, 100, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GameAt(box, c.x, c.y), c.expected) << c.x << ", " << c.y;
  }
}

using Rect = std::tuple<float, float, float, float>;  // left, top, width, height

// Where the button starts on the title screen, over the label and slid on; where the label sits.
constexpr Rect kStart{240, 128, 137, 49};
constexpr Rect kOverLabel{500, 0, 137, 49};
constexpr Rect kSlid{260, 128, 147, 49};
constexpr Rect kLabel{568, 0, 53, 15};

void Place(scene::SceneControl& control, Rect rect, bool visible) {
  std::tie(control.Left, control.Top, control.Width, control.Height) = rect;
  control.Visible = ToBool16(visible);
}

enum Shown { kNeither = 0, kButton = 1, kLabelShown = 2, kBoth = 3 };
using enum ClickTarget;
constexpr std::optional<ClickTarget> kNothing;

struct ClickCase {
  std::string_view what;
  Shown shown;
  float press_x, press_y, release_x, release_y;
  std::optional<ClickTarget> expected;
  Rect button = kStart;
  std::optional<Rect> button_at_release = std::nullopt;  // it slid between ticks
};

const std::vector<ClickCase> kClickCases = {
    {"press on the button, release outside", kButton, 300, 150, 300, 200, kNothing},
    {"the button's top-left pixel", kButton, 240, 128, 240, 128, kStartButton},
    {"just right of the button", kButton, 377, 150, 377, 150, kNothing},
    {"just below the button", kButton, 300, 177, 300, 177, kNothing},
    {"just left of the button", kButton, 239.9F, 150, 239.9F, 150, kNothing},
    {"just above the button", kButton, 300, 127.9F, 300, 127.9F, kNothing},
    {"the button slid away from the pointer", kButton, 250, 150, 250, 150, kNothing, kStart, kSlid},
    {"released on the slid button", kButton, 250, 150, 400, 150, kStartButton, kStart, kSlid},
    {"press and release on the label", kLabelShown, 570, 5, 600, 10, kRestartLabel},
    {"a hidden label", kNeither, 570, 5, 570, 5, kNothing},
    {"the button over the label takes the click", kBoth, 570, 5, 570, 5, kStartButton, kOverLabel},
    {"a hidden button over the label", kLabelShown, 570, 5, 570, 5, kRestartLabel, kOverLabel},
    {"label pressed, button released", kBoth, 600, 10, 510, 10, kNothing, Rect{500, 0, 80, 49}},
};

// A click is a press and a release on the same visible element, judged where the element is at each
// moment; the button looks pressed while the pointer that pressed it is over it.
TEST(MouseClicks, ClickAnElementPressedAndReleasedOnIt) {
  const scene::Scene title = scene::BuildScene(testing::TestPictures());
  for (const ClickCase& c : kClickCases) {
    scene::Scene window = title;
    Place(window.Command1(), c.button, (c.shown & kButton) != 0);
    Place(window.Label2(), kLabel, (c.shown & kLabelShown) != 0);
    MouseClicks clicks;
    clicks.Press(c.press_x, c.press_y, window);
    if (c.button_at_release) {
      Place(window.Command1(), *c.button_at_release, true);
    }
    clicks.Move(c.release_x, c.release_y);
    EXPECT_EQ(clicks.StartButtonLooksPressed(window), c.expected == kStartButton) << c.what;
    EXPECT_EQ(clicks.Release(c.release_x, c.release_y, window), c.expected) << c.what;
    EXPECT_EQ(clicks.Release(c.release_x, c.release_y, window), kNothing)
        << c.what << ": a release with no press";
  }
}

}  // namespace
}  // namespace munyura::window_rules
