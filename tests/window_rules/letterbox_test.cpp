// Where the game lies in outputs of every size, and which output points are
// the game's.
#include "window_rules/letterbox.h"

#include <gtest/gtest.h>

#include <vector>

namespace munyura::window_rules {
namespace {

// The largest zoom of an area is the scale FitGame gives it.
TEST(LetterboxTest, TheLargestWholeScaleThatFitsCentred) {
  struct Case {
    int width, height;
    Letterbox expected;
  };
  const std::vector<Case> cases = {
      {621, 380, {1, 0, 0}},       {1242, 760, {2, 0, 0}},      {1863, 1140, {3, 0, 0}},
      {1241, 760, {1, 310, 190}},  {1242, 759, {1, 310, 189}},  {2048, 1280, {3, 92, 70}},
      {1920, 1080, {2, 339, 160}}, {3840, 2160, {5, 367, 130}}, {700, 2000, {1, 39, 810}},
      {600, 300, {1, -10, -40}},   {0, 0, {1, -310, -190}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FitGame(c.width, c.height), c.expected) << c.width << " x " << c.height;
  }
}

TEST(LetterboxTest, OutputPointsInWholeGamePixelsAndNothingOnTheSurround) {
  const Letterbox box{3, 92, 70};
  struct Case {
    float x, y;
    std::optional<GamePoint> expected;
  };
  const std::vector<Case> cases = {
      {92, 70, GamePoint{0, 0}},     {94.9f, 72.9f, GamePoint{0, 0}},
      {95, 73, GamePoint{1, 1}},     {92 + 1862, 70 + 1139, GamePoint{620, 379}},
      {92 + 1863, 70, std::nullopt}, {92, 70 + 1140, std::nullopt},
      {91, 100, std::nullopt},       {100, 69, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GameAt(box, c.x, c.y), c.expected) << c.x << ", " << c.y;
  }
  // Beyond the edges the point is still followed, as a drag out of the game.
  EXPECT_EQ(GameCoordinates(box, 92 + 3 * 650, 40), (GamePoint{650, -10}));
}

}  // namespace
}  // namespace munyura::window_rules
