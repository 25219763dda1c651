#include "play/walking.h"

#include <gtest/gtest.h>

#include "play/play_tick.h"
#include "support/test_pictures.h"

namespace munyura::play {
namespace {

constexpr Bool16 T = kTrue;
constexpr std::array<Bool16, 4> kAll{T, T, T, T};

TEST(Walking, TheWallsClearAFlagOnlyOnceTheChickReachesPastThem) {
  // Shape2 spans 16..601 across and 16..361 down.
  struct Case {
    float left, top;
    std::int16_t facing;
    std::array<Bool16, 4> after;
  };
  for (const Case c :
       {Case{16, 150, 3, kAll}, Case{15.5F, 150, 3, {0, T, T, T}}, Case{552, 150, 1, kAll},
        Case{552.5F, 150, 1, {T, 0, T, T}}, Case{300, 16, 0, kAll}, Case{300, 15, 0, {T, T, 0, T}},
        Case{300, 312, 2, kAll}, Case{300, 313, 2, {T, T, T, 0}}, Case{-100, -100, 0, {0, T, 0, T}},
        Case{700, 700, 2, {T, 0, T, 0}}}) {
    scene::Scene scene = testing::PlayScene();
    testing::PlaceChick(scene, c.left, c.top, c.facing);
    GameState state{.MoveKey = kAll};
    ApplyWalkingAreaLimits(state, scene);
    EXPECT_EQ(state.MoveKey, c.after) << c.left << "," << c.top;
    EXPECT_EQ(std::pair(scene.Munyu().Left, scene.Munyu().Top), std::pair(c.left, c.top));
  }
}

TEST(Walking, EachHeldArrowStepsTenAndTheLastAppliedPictureStays) {
  struct Case {
    std::array<Bool16, 4> flags;  // left, right, up, down
    float dx, dy;
    std::int16_t picture;  // 0 up, 1 right, 2 down, 3 left; -1 unchanged
  };
  for (const Case c :
       {Case{{T, 0, 0, 0}, -10, 0, 3}, Case{{0, T, 0, 0}, 10, 0, 1}, Case{{0, 0, T, 0}, 0, -10, 0},
        Case{{0, 0, 0, T}, 0, 10, 2}, Case{{T, T, 0, 0}, 0, 0, 1}, Case{{0, 0, T, T}, 0, 0, 2},
        Case{{T, 0, T, 0}, -10, -10, 0}, Case{{0, T, 0, T}, 10, 10, 2}, Case{kAll, 0, 0, 2},
        Case{{}, 0, 0, -1}}) {
    scene::Scene scene = testing::PlayScene();
    scene.Munyu().SetPicture(nullptr);
    MoveChick(GameState{.MoveKey = c.flags}, scene);
    EXPECT_EQ(scene.Munyu().Left, 280 + c.dx);
    EXPECT_EQ(scene.Munyu().Top, 192 + c.dy);
    EXPECT_EQ(scene.Munyu().Picture(),
              c.picture < 0 ? nullptr : scene.Picture1(c.picture).Picture());
  }
}

}  // namespace
}  // namespace munyura::play
