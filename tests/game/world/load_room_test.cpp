#include "world/load_room.h"

#include <gtest/gtest.h>

#include "support/test_pictures.h"
#include "world/room_table.h"

namespace munyura::world {
namespace {

constexpr Bool16 T = kTrue;

// Line1 to Line4 are the posts of the top, bottom, left and right doorways.
std::array<Bool16, 8> Posts(const scene::Scene& scene) {
  std::array<Bool16, 8> shown{};
  for (std::size_t i = 0; i < shown.size(); ++i) {
    shown[i] = scene.Line(static_cast<int>(i / 2) + 1, static_cast<std::int16_t>(i % 2)).Visible;
  }
  return shown;
}

TEST(LoadRoom, ShowsTheMonumentAndTheOpenDoorwaysAndStopsTheChickOnly) {
  for (const Room& room : kRooms) {
    scene::Scene scene = testing::PlayScene();
    testing::PlaceChick(scene, 33, 44, 3);
    scene.Label1().Visible = T;
    GameState state{
        .RoomX = room.RoomX, .RoomY = room.RoomY, .MoveKey = {T, T, T, T}, .ComboKey = {T, T}};
    LoadRoom(state, scene);
    SCOPED_TRACE(::testing::Message() << room.RoomX << "," << room.RoomY);
    EXPECT_EQ(scene.Sekihi().Picture()->Handle(), 200U + static_cast<unsigned>(room.Monument));
    const auto& open = room.DoorOpen;
    EXPECT_EQ(Posts(scene),
              (std::array{open[0], open[0], open[1], open[1], open[2], open[2], open[3], open[3]}));
    EXPECT_EQ(state.MoveKey, (std::array<Bool16, 4>{}));
    EXPECT_EQ(state.ComboKey, (std::array<Bool16, 2>{T, T}));
    EXPECT_EQ(std::pair(scene.Munyu().Left, scene.Munyu().Top), std::pair(33.0F, 44.0F));
    EXPECT_EQ(scene.Label1().Visible, T);
  }
}

TEST(LoadRoom, OffTheMapClosesEveryDoorwayAndKeepsTheLastMonument) {
  for (const auto& [x, y] :
       {std::pair{0, 2}, std::pair{2, 0}, std::pair{-7, 2}, std::pair{-32768, 6}}) {
    scene::Scene scene = testing::PlayScene();
    GameState state{.RoomX = -5, .RoomY = 1};
    LoadRoom(state, scene);
    state.RoomX = static_cast<std::int16_t>(x);
    state.RoomY = static_cast<std::int16_t>(y);
    LoadRoom(state, scene);
    EXPECT_EQ(scene.Sekihi().Picture()->Handle(), 227U);
    EXPECT_EQ(Posts(scene), (std::array<Bool16, 8>{}));
  }
}

}  // namespace
}  // namespace munyura::world
