#include "world/load_room.h"

#include <gtest/gtest.h>

#include "support/test_pictures.h"
#include "world/doorway.h"

namespace munyura::world {
namespace {

// The posts shown, as "TBLR" with a dash for each hidden pair.
std::string Doorways(const scene::Scene& scene) {
  std::string shown;
  for (const Side side : kSides) {
    EXPECT_EQ(Post(scene, side, 0).Visible, Post(scene, side, 1).Visible);
    shown += Post(scene, side, 0).Visible == kTrue ? "TBLR"[static_cast<int>(side)] : '-';
  }
  return shown;
}

TEST(LoadRoom, ShowsTheMonumentAndTheOpenDoorwaysOfTheRoom) {
  struct Case {
    std::int16_t x, y;
    std::uint32_t monument_handle;
    std::string_view doorways;
  };
  for (const Case c : {Case{0, 0, 200, "TBLR"}, Case{-6, 2, 229, "---R"}, Case{-2, 3, 217, "---R"},
                       Case{-1, 1, 208, "T--R"}, Case{-4, 3, 224, "-B--"}, Case{1, -1, 204, "-BL-"},
                       Case{0, 6, 215, "T-L-"}}) {
    scene::Scene scene = testing::PlayScene();
    GameState state{.RoomX = c.x, .RoomY = c.y};
    LoadRoom(state, scene);
    EXPECT_EQ(scene.Sekihi().Picture()->Handle(), c.monument_handle) << c.x << "," << c.y;
    EXPECT_EQ(Doorways(scene), c.doorways) << c.x << "," << c.y;
    LoadRoom(state, scene);
    EXPECT_EQ(Doorways(scene), c.doorways) << "loading twice changes nothing";
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
    EXPECT_EQ(Doorways(scene), "----");
  }
}

TEST(LoadRoom, StopsTheChickAndTouchesNothingElse) {
  scene::Scene scene = testing::PlayScene();
  testing::PlaceChick(scene, 33, 44, 3);
  scene.Label1().Visible = kTrue;
  GameState state{
      .RoomX = -1, .RoomY = 0, .MoveKey = {kTrue, kTrue, kTrue, kTrue}, .ComboKey = {kTrue, kTrue}};
  LoadRoom(state, scene);
  EXPECT_EQ(state.MoveKey, (std::array<Bool16, 4>{}));
  EXPECT_EQ(state.ComboKey, (std::array<Bool16, 2>{kTrue, kTrue}));
  EXPECT_EQ(std::pair(state.RoomX, state.RoomY), (std::pair<std::int16_t, std::int16_t>(-1, 0)));
  EXPECT_EQ(std::pair(scene.Munyu().Left, scene.Munyu().Top), std::pair(33.0F, 44.0F));
  EXPECT_EQ(scene.Munyu().Picture(), scene.Picture1(3).Picture());
  EXPECT_EQ(scene.Label1().Visible, kTrue);
  EXPECT_EQ(std::pair(scene.Sekihi().Left, scene.Sekihi().Visible), std::pair(232.0F, kTrue));
}

}  // namespace
}  // namespace munyura::world
