// Where the game lies in areas of every size and density, and which output
// points are the game's.
#include "window_rules/letterbox.h"

#include <gtest/gtest.h>

#include <vector>

namespace munyura::window_rules {
namespace {

// A whole scale while it fills three quarters of the limiting side, else
// that side filled exactly; centred, never outside the area.
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
      {9000, 6000, {14, 153, 340, 8694, 5320}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.width << " x " << c.height);
    const Letterbox box = FitGame(c.width, c.height);
    EXPECT_EQ(box, c.expected);
    EXPECT_GE(box.left, 0);
    EXPECT_GE(box.top, 0);
    EXPECT_LE(box.left + box.width, c.width);
    EXPECT_LE(box.top + box.height, c.height);
    EXPECT_EQ(box.OutputAt(kGameWidth), box.width);
    EXPECT_EQ(box.OutputAt(kGameHeight), box.height);
  }
}

TEST(GameAtTest, OutputPointsInTheGamePixelTheyLieInAndNothingOnTheSurround) {
  const Letterbox box = FitGame(1280, 720);  // 720 / 380 output pixels per game pixel
  struct Case {
    float x, y;
    std::optional<GamePoint> expected;
  };
  // Game column 300 begins 300 * 720 / 380 = 568.42 output pixels in.
  const std::vector<Case> cases = {
      {51, 0, GamePoint{0, 0}},
      {51 + 568.3f, 1.8f, GamePoint{299, 0}},
      {51 + 568.5f, 1.9f, GamePoint{300, 1}},
      {51 + 1176, 719, GamePoint{620, 379}},
      {51 + 1177, 0, std::nullopt},
      {50.9f, 100, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GameAt(box, c.x, c.y), c.expected) << c.x << ", " << c.y;
  }
  // Beyond the edges the point is still followed, as a drag out of the game.
  EXPECT_EQ(GameCoordinates(box, 51 - 19, 0), (GamePoint{-11, 0}));
}

}  // namespace
}  // namespace munyura::window_rules
