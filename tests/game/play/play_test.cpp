// A play tick's parts at their edges, where the walkthrough, in mid-room, never stands.
#include <gtest/gtest.h>

#include <initializer_list>
#include <tuple>

#include "key_codes.h"
#include "play/doorway_pull.h"
#include "play/edge_crossings.h"
#include "play/held_keys.h"
#include "play/play_tick.h"
#include "play/walking.h"
#include "support/test_pictures.h"

namespace munyura::play {
namespace {

constexpr Bool16 T = kTrue;
using Moves = std::array<Bool16, 4>;   // left, right, up, down
using Combos = std::array<Bool16, 2>;  // K, R
constexpr Moves kAll{T, T, T, T};

TEST(HeldKeys, EachKeySetsAndClearsOnlyItsOwnFlag) {
  // The flags pressed from none held, and those left when released from all held.
  using Case = std::tuple<std::int16_t, Moves, Moves, Combos>;
  for (const auto& [key, pressed, moves_left, combos_left] :
       {Case{kKeyLeft, {T, 0, 0, 0}, {0, T, T, T}, {T, T}},
        Case{kKeyRight, {0, T, 0, 0}, {T, 0, T, T}, {T, T}},
        Case{kKeyUp, {0, 0, T, 0}, {T, T, 0, T}, {T, T}},
        Case{kKeyDown, {0, 0, 0, T}, {T, T, T, 0}, {T, T}}, Case{kKeyK, {}, kAll, {0, T}},
        Case{kKeyL, {}, kAll, {T, 0}}, Case{kKeyR, {}, kAll, {T, T}}, Case{kKeyZ, {}, kAll, {T, T}},
        Case{36, {}, kAll, {T, T}}, Case{41, {}, kAll, {T, T}}, Case{-1, {}, kAll, {T, T}}}) {
    GameState state;
    EXPECT_EQ(PressArrowKey(key, state), pressed != Moves{}) << key;
    EXPECT_EQ(std::pair(state.MoveKey, state.ComboKey), std::pair(pressed, Combos{})) << key;
    state = GameState{.MoveKey = kAll, .ComboKey = {T, T}};
    ReleaseKey(key, state);
    EXPECT_EQ(std::pair(state.MoveKey, state.ComboKey), std::pair(moves_left, combos_left)) << key;
  }
}

// Shape2 spans 16..601 across and 16..361 down; the chick is 49 x 47 facing left (3) or right
// (1), 47 x 49 facing up (0) or down (2). A wall clears a flag once the chick reaches past it;
// each flag left steps ten, left, right, up then down, and the last step's picture stays.
TEST(Walking, TheWallsStopAFlagOnlyPastThemAndEachHeldArrowStepsTen) {
  // left, top, facing, held: where the chick stands then, and its picture.
  using Case = std::tuple<float, float, std::int16_t, Moves, float, float, std::int16_t>;
  for (const auto& [left, top, facing, held, new_left, new_top, picture] :
       {Case{16, 150, 3, kAll, 16, 150, 2}, Case{15.5F, 150, 3, kAll, 25.5F, 150, 2},
        Case{552, 150, 1, kAll, 552, 150, 2}, Case{552.5F, 150, 1, kAll, 542.5F, 150, 2},
        Case{300, 16, 0, kAll, 300, 16, 2}, Case{300, 15, 0, kAll, 300, 25, 2},
        Case{300, 312, 2, kAll, 300, 312, 2}, Case{300, 313, 2, kAll, 300, 303, 0},
        Case{280, 192, 2, {T, 0, 0, 0}, 270, 192, 3}, Case{280, 192, 2, {T, T, 0, 0}, 280, 192, 1},
        Case{280, 192, 2, {T, 0, T, 0}, 270, 182, 0}, Case{280, 192, 3, {}, 280, 192, 3}}) {
    scene::Scene scene = testing::PlayScene(left, top, facing);
    GameState state{.MoveKey = held};
    ApplyWalkingAreaLimits(state, scene);
    MoveChick(state, scene);
    EXPECT_EQ(std::tuple(scene.Munyu().Left, scene.Munyu().Top, scene.Munyu().Picture()),
              std::tuple(new_left, new_top, scene.Picture1(picture).Picture()))
        << left << "," << top;
  }
}

// A point inside each zone and one on each of its strict edges: top Left 248..329, Top < 32;
// bottom Left 256..337, Top > 303; left Top 128..185, Left < 48; right Top 128..185, Left > 519.
// (A closed one's pull would lead the walkthrough and the random streams off the map.)
TEST(DoorwayPull, AnOpenDoorwayTakesOverAllFourFlags) {
  using Case = std::tuple<float, float, std::int16_t, Moves>;  // left, top, facing: pulled
  for (const auto& [left, top, facing, pulled] :
       {Case{300, 31, 0, {0, 0, T, 0}}, Case{248, 20, 0, {}}, Case{329, 20, 0, {}},
        Case{300, 32, 0, {}}, Case{328.5F, 0, 0, {0, 0, T, 0}}, Case{300, 304, 2, {0, 0, 0, T}},
        Case{256, 310, 2, {}}, Case{337, 310, 2, {}}, Case{300, 303, 2, {}},
        Case{47, 150, 3, {T, 0, 0, 0}}, Case{20, 128, 3, {}}, Case{20, 185, 3, {}},
        Case{48, 150, 3, {}}, Case{520, 150, 1, {0, T, 0, 0}}, Case{530, 128, 1, {}},
        Case{530, 185, 1, {}}, Case{519, 150, 1, {}}}) {
    scene::Scene scene = testing::PlayScene(left, top, facing);
    GameState state{.MoveKey = kAll};  // keys held the other way give in to a pull
    ApplyDoorwayPull(state, scene);
    EXPECT_EQ(state.MoveKey, pulled == Moves{} ? kAll : pulled) << left << "," << top;
  }
}

TEST(EdgeCrossings, OnlyAChickWhollyOutsideTheWindowChangesRoomAndBothHalvesHop) {
  // left, top, facing, K and R armed: the room, K and R then, and where the chick stands.
  using Case = std::tuple<float, float, std::int16_t, Combos, GameState, float, float>;
  for (const auto& [left, top, facing, armed, after, new_left, new_top] :
       {Case{-49, 150, 3, {}, {0, 0}, -49, 150}, Case{-49.5F, 150, 3, {}, {-1, 0}, 510, 150},
        Case{621, 150, 1, {}, {0, 0}, 621, 150}, Case{622, 150, 1, {}, {1, 0}, 55, 150},
        Case{300, -49, 0, {}, {0, 0}, 300, -49}, Case{300, -50, 0, {}, {0, -1}, 300, 300},
        Case{300, 380, 2, {}, {0, 0}, 300, 380}, Case{300, 381, 2, {}, {0, 1}, 300, 40},
        Case{-60, 390, 3, {}, {-1, 1}, 510, 40},
        Case{280, 192, 2, {T, T}, {.ComboKey = {0, T}}, 180, 192},
        Case{280, 192, 2, {T, 0}, {.ComboKey = {T, 0}}, 280, 192}}) {
    GameState state{.ComboKey = armed};
    scene::Scene scene = testing::PlayScene(left, top, facing);
    CrossEdges(state, scene);
    Hop(state, scene);
    EXPECT_EQ(
        std::tuple(state.RoomX, state.RoomY, state.ComboKey, scene.Munyu().Left, scene.Munyu().Top),
        std::tuple(after.RoomX, after.RoomY, after.ComboKey, new_left, new_top))
        << left << "," << top;
  }
}

TEST(EdgeCrossings, AnOverflowingRoomCoordinateChangesNothingAndEndsTheTickBeforeTheHop) {
  using Case = std::tuple<std::int16_t, std::int16_t, float, float>;  // room, chick in no doorway
  for (const auto& [x, y, left, top] : {Case{-32768, 0, -60, 100}, Case{32767, 0, 630, 100},
                                        Case{0, -32768, 200, -60}, Case{0, 32767, 200, 390}}) {
    GameState state{.RoomX = x, .RoomY = y, .ComboKey = {T, T}};
    scene::Scene scene = testing::PlayScene(left, top);
    EXPECT_THROW(RunPlayTick(state, scene), RuntimeError) << x << "," << y;
    EXPECT_EQ(std::tuple(state.RoomX, state.RoomY, scene.Munyu().Left, scene.Munyu().Top,
                         state.ComboKey, scene.Line1(0).Visible),
              std::tuple(x, y, left, top, Combos{T, T}, T))
        << "no room loaded, no hop";
  }
}

}  // namespace
}  // namespace munyura::play
