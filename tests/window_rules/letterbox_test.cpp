// Where the game lies in areas of every size and density, and which output
// points are the game's.
#include "window_rules/letterbox.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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

// The screens players have, at 1, 2 and 3 device pixels per CSS pixel: the
// game inside the area and centred, whole while a whole scale fills three
// quarters of the limiting side, else that side filled.
TEST(FitGameTest, EveryScreenAtEveryDensity) {
  const int areas[][2] = {{300, 200},  {390, 844},  {844, 390},
                          {1280, 800}, {1536, 864}, {3000, 2000}};
  for (const auto& area : areas) {
    for (const int density : {1, 2, 3}) {
      const int width = area[0] * density;
      const int height = area[1] * density;
      SCOPED_TRACE(::testing::Message() << width << " x " << height);
      const Letterbox box = FitGame(width, height);
      const float exact = std::min(static_cast<float>(width) / kGameWidth,
                                   static_cast<float>(height) / kGameHeight);
      const bool whole = std::floor(exact) >= 0.75F * exact;
      EXPECT_FLOAT_EQ(box.scale, whole ? std::floor(exact) : exact);
      EXPECT_TRUE(whole || box.width == width || box.height == height);
      EXPECT_LE(std::abs(2 * box.left + box.width - width), 1);
      EXPECT_LE(std::abs(2 * box.top + box.height - height), 1);
      EXPECT_GE(box.left, 0);
      EXPECT_GE(box.top, 0);
    }
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
