#include "play/edge_crossings.h"

#include <gtest/gtest.h>

#include "play/play_tick.h"
#include "support/test_pictures.h"
#include "world/load_room.h"

namespace munyura::play {
namespace {

constexpr Bool16 T = kTrue;

struct Start {
  GameState state;
  scene::Scene scene = testing::PlayScene();
};

TEST(EdgeCrossings, OnlyAChickWhollyOutsideTheWindowChangesRoom) {
  // Facing left or right 49 x 47, facing up or down 47 x 49.
  struct Case {
    float left, top;
    std::int16_t facing;
    std::int16_t room_x, room_y;
    float new_left, new_top;
  };
  for (const Case c : {Case{-49, 150, 3, 0, 0, -49, 150}, Case{-49.5F, 150, 3, -1, 0, 510, 150},
                       Case{621, 150, 1, 0, 0, 621, 150}, Case{622, 150, 1, 1, 0, 55, 150},
                       Case{300, -49, 0, 0, 0, 300, -49}, Case{300, -50, 0, 0, -1, 300, 300},
                       Case{300, 380, 2, 0, 0, 300, 380}, Case{300, 381, 2, 0, 1, 300, 40},
                       Case{-60, 390, 3, -1, 1, 510, 40}}) {
    Start s;
    testing::PlaceChick(s.scene, c.left, c.top, c.facing);
    CrossEdges(s.state, s.scene);
    EXPECT_EQ(std::pair(s.state.RoomX, s.state.RoomY), std::pair(c.room_x, c.room_y))
        << c.left << "," << c.top;
    EXPECT_EQ(std::pair(s.scene.Munyu().Left, s.scene.Munyu().Top),
              std::pair(c.new_left, c.new_top));
  }
}

TEST(EdgeCrossings, AnOverflowingRoomCoordinateChangesNothing) {
  struct Case {
    std::int16_t room_x, room_y;
    float left, top;
  };
  for (const Case c : {Case{-32768, 0, -60, 150}, Case{32767, 0, 630, 150},
                       Case{0, -32768, 300, -60}, Case{0, 32767, 300, 390}}) {
    Start s;
    s.state = GameState{.RoomX = c.room_x, .RoomY = c.room_y, .ComboKey = {T, T}};
    testing::PlaceChick(s.scene, c.left, c.top, 2);
    const scene::Scene before = s.scene;
    try {
      CrossEdges(s.state, s.scene);
      FAIL() << "no overflow at " << c.room_x << "," << c.room_y;
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.Number(), ErrorNumber::kOverflow);
    }
    EXPECT_EQ(std::pair(s.state.RoomX, s.state.RoomY), std::pair(c.room_x, c.room_y));
    EXPECT_EQ(std::pair(s.scene.Munyu().Left, s.scene.Munyu().Top), std::pair(c.left, c.top));
    EXPECT_EQ(s.scene.Line1(0).Visible, before.Line1(0).Visible);
    // In a whole tick the error ends it before the hop.
    EXPECT_THROW(RunPlayTick(s.state, s.scene), RuntimeError);
    EXPECT_EQ(s.state.ComboKey, (std::array<Bool16, 2>{T, T}));
  }
}

TEST(Hop, BothHalvesJumpTheChickLeftAndUseUpK) {
  struct Case {
    std::array<Bool16, 2> combo, combo_after;
    float left;
  };
  for (const auto& [combo, combo_after, left] :
       {Case{{T, T}, {0, T}, -80}, Case{{T, 0}, {T, 0}, 20}, Case{{0, T}, {0, T}, 20}}) {
    Start s;
    s.state = GameState{.RoomX = -5, .RoomY = 2, .ComboKey = combo};
    world::LoadRoom(s.state, s.scene);
    testing::PlaceChick(s.scene, 20, 150, 3);
    RunPlayTick(s.state, s.scene);
    EXPECT_EQ(s.scene.Munyu().Left, left);
    EXPECT_EQ(s.state.ComboKey, combo_after);
    RunPlayTick(s.state, s.scene);
    EXPECT_EQ(s.state.RoomX, left < 0 ? -6 : -5) << "the next tick crosses to the west";
  }
}

}  // namespace
}  // namespace munyura::play
