// Where the game lies in areas of every size and density, and which output
// points are the game's.
#include "window_rules/letterbox.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace munyura::window_rules {
namespace {

struct FitCase {
  int css_width, css_height, device_per_css;
  Letterbox expected;
};

void PrintTo(const FitCase& c, std::ostream* out) {
  *out << c.css_width << " x " << c.css_height << " CSS pixels at " << c.device_per_css;
}

class FitGameTest : public testing::TestWithParam<FitCase> {};

// A whole scale while it fills three quarters of the limiting side, else
// that side filled exactly; centred, never outside the area.
TEST_P(FitGameTest, AsLargeAsFitsCentred) {
  const FitCase& c = GetParam();
  const int width = c.css_width * c.device_per_css;
  const int height = c.css_height * c.device_per_css;
  const Letterbox box = FitGame(width, height);
  EXPECT_EQ(box, c.expected);
  EXPECT_GE(box.left, 0);
  EXPECT_GE(box.top, 0);
  EXPECT_LE(box.left + box.width, width);
  EXPECT_LE(box.top + box.height, height);
  EXPECT_EQ(box.OutputAt(kGameWidth), box.width);
  EXPECT_EQ(box.OutputAt(kGameHeight), box.height);
}

INSTANTIATE_TEST_SUITE_P(
    Areas, FitGameTest,
    testing::Values(FitCase{300, 200, 1, {300.0F / 621, 0, 8, 300, 184}},
                    FitCase{390, 844, 1, {390.0F / 621, 0, 302, 390, 239}},
                    FitCase{844, 390, 1, {1, 111, 5, 621, 380}},  // 380 of 390 high
                    FitCase{1280, 800, 1, {2, 19, 20, 1242, 760}},
                    FitCase{1536, 864, 1, {2, 147, 52, 1242, 760}},
                    FitCase{3000, 2000, 1, {4, 258, 240, 2484, 1520}},
                    FitCase{300, 200, 2, {600.0F / 621, 0, 16, 600, 367}},
                    FitCase{390, 844, 2, {1, 79, 654, 621, 380}},  // 621 of 780 wide
                    FitCase{844, 390, 2, {2, 223, 10, 1242, 760}},
                    FitCase{1280, 800, 2, {4, 38, 40, 2484, 1520}},
                    FitCase{1536, 864, 2, {4, 294, 104, 2484, 1520}},
                    FitCase{3000, 2000, 2, {9, 205, 290, 5589, 3420}},
                    FitCase{300, 200, 3, {900.0F / 621, 0, 24, 900, 551}},
                    FitCase{390, 844, 3, {1170.0F / 621, 0, 908, 1170, 716}},
                    FitCase{844, 390, 3, {3, 334, 15, 1863, 1140}},
                    FitCase{1280, 800, 3, {6, 57, 60, 3726, 2280}},
                    FitCase{1536, 864, 3, {6, 441, 156, 3726, 2280}},
                    FitCase{3000, 2000, 3, {14, 153, 340, 8694, 5320}},
                    // The desktop's fullscreen: scale 1 would fill 380 of 720.
                    FitCase{1280, 720, 1, {720.0F / 380, 51, 0, 1177, 720}},
                    FitCase{2048, 1280, 1, {3, 92, 70, 1863, 1140}}));

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
