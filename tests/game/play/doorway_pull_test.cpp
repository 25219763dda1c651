#include "play/doorway_pull.h"

#include <gtest/gtest.h>

#include "play/play_tick.h"
#include "support/test_pictures.h"

namespace munyura::play {
namespace {

constexpr Bool16 T = kTrue;

struct Case {
  float left, top;
  std::int16_t facing;
  std::array<Bool16, 4> pulled;  // left, right, up, down; all clear: no pull
};

// Each zone with a point inside and a point on each of its strict edges: top
// (facing up) Left 248..329, Top < 32; bottom (facing down) Left 256..337,
// Top > 303; left (facing left) Top 128..185, Left < 48; right (facing right)
// Top 128..185, Left > 519.
constexpr Case kZones[] = {
    {300, 31, 0, {0, 0, T, 0}},
    {248, 20, 0, {}},
    {329, 20, 0, {}},
    {300, 32, 0, {}},
    {328.5F, 0, 0, {0, 0, T, 0}},
    {300, 304, 2, {0, 0, 0, T}},
    {256, 310, 2, {}},
    {337, 310, 2, {}},
    {300, 303, 2, {}},
    {47, 150, 3, {T, 0, 0, 0}},
    {20, 128, 3, {}},
    {20, 185, 3, {}},
    {48, 150, 3, {}},
    {520, 150, 1, {0, T, 0, 0}},
    {530, 128, 1, {}},
    {530, 185, 1, {}},
    {519, 150, 1, {}},
};

TEST(DoorwayPull, AnOpenDoorwayTakesOverAllFourFlagsAndAClosedOneNothing) {
  for (const Case& c : kZones) {
    scene::Scene scene = testing::PlayScene();
    testing::PlaceChick(scene, c.left, c.top, c.facing);
    // Keys held the other way are overridden; with no pull they stay.
    GameState state{.MoveKey = {T, T, T, T}};
    ApplyDoorwayPull(state, scene);
    const bool pulls = c.pulled != std::array<Bool16, 4>{};
    EXPECT_EQ(state.MoveKey, (pulls ? c.pulled : std::array<Bool16, 4>{T, T, T, T}))
        << c.left << "," << c.top;
    for (int array = 1; array <= 4; ++array) {
      scene.Line(array, 0).Visible = kFalse;  // post 1 is never consulted
    }
    state = GameState{};
    ApplyDoorwayPull(state, scene);
    EXPECT_EQ(state.MoveKey, (std::array<Bool16, 4>{})) << "closed " << c.left << "," << c.top;
  }
}

TEST(DoorwayPull, ThePulledChickWalksPastTheWallAndOutWithNoKeyHeld) {
  scene::Scene scene = testing::PlayScene();
  testing::PlaceChick(scene, 300, 25, 0);
  GameState state;
  int ticks = 0;
  while (state.RoomY == 0 && ticks < 20) {
    RunPlayTick(state, scene);
    ++ticks;
  }
  EXPECT_EQ(ticks, 8) << "25, 15, 5, ..., -45 then out at -55";
  EXPECT_EQ(state.RoomY, -1);
  EXPECT_EQ(std::pair(scene.Munyu().Left, scene.Munyu().Top), std::pair(300.0F, 300.0F));
  EXPECT_EQ(state.MoveKey, (std::array<Bool16, 4>{})) << "the new room stops the chick";
}

}  // namespace
}  // namespace munyura::play
