#include "world/read_monument.h"

#include <gtest/gtest.h>

#include "support/test_pictures.h"
#include "world/load_room.h"

namespace munyura::world {
namespace {

constexpr std::u16string_view kNothing = u"\u4F55\u3082\u306A\u3044\u3093";

struct Room {
  GameState state;
  scene::Scene scene = testing::PlayScene();

  Room(std::int16_t x, std::int16_t y) : state{.RoomX = x, .RoomY = y} { LoadRoom(state, scene); }
  void Z() { ReadMonument(state, scene); }
  std::pair<Bool16, std::u16string> Label() const {
    return {scene.Label1().Visible, scene.Label1().Caption};
  }
};

TEST(ReadMonument, OverlapIsStrictOnAllFourSides) {
  // Sekihi stands at 232, 88, 150 x 150; the chick faces right, 49 x 47.
  struct Case {
    float left, top;
    bool overlaps;
  };
  for (const Case c : {Case{183, 150, false}, Case{183.5F, 150, true}, Case{382, 150, false},
                       Case{381, 150, true}, Case{300, 41, false}, Case{300, 42, true},
                       Case{300, 238, false}, Case{300, 237.5F, true}}) {
    Room room(1, 0);
    testing::PlaceChick(room.scene, c.left, c.top, 1);
    room.Z();
    EXPECT_EQ(room.Label().second == kNothing, !c.overlaps) << c.left << "," << c.top;
    EXPECT_EQ(room.Label().first, kTrue);
  }
}

TEST(ReadMonument, TheBottomDoorwayOfRoomMinusOneOneDropsTheChick) {
  // Bottom posts at 256 and 384; the chick faces down, 47 x 49.
  struct Case {
    std::int16_t x, y;
    float left, top;
    bool drops;
  };
  // The doorway's edges are the doorway pulls' table; here, the room.
  for (const Case c : {Case{-1, 1, 300, 312, true}, Case{-1, 1, 256, 312, false},
                       Case{0, 1, 300, 312, false}, Case{-1, 2, 300, 312, false}}) {
    Room room(c.x, c.y);
    room.scene.Sekihi().Top = -500;  // out of the way
    room.scene.Label1().Caption = std::u16string(u"前");
    testing::PlaceChick(room.scene, c.left, c.top);
    room.Z();
    SCOPED_TRACE(::testing::Message() << c.x << "," << c.y << " at " << c.left << "," << c.top);
    if (c.drops) {
      EXPECT_EQ(room.scene.Munyu().Top, c.top + 70);
      EXPECT_EQ(room.Label(), std::pair(kFalse, std::u16string(u"前")));
    } else {
      EXPECT_EQ(room.scene.Munyu().Top, c.top);
      EXPECT_EQ(room.Label(), std::pair(kTrue, std::u16string(kNothing)));
    }
  }
}

// The inscription follows the picture Sekihi shows, not the room: off the map
// the last monument is still read, and a picture of no monument reads nothing.
TEST(ReadMonument, ReadsThePictureSekihiShows) {
  Room room(-3, 4);
  room.state.RoomX = 2;
  LoadRoom(room.state, room.scene);
  testing::PlaceChick(room.scene, 280, 192);
  room.Z();
  EXPECT_EQ(room.Label(), std::pair(kTrue, std::u16string(u"ゆ？")));
  room.Z();
  room.scene.Sekihi().SetPicture(room.scene.Picture1(0).Picture());  // 47 x 49 at 232, 88
  testing::PlaceChick(room.scene, 240, 100);
  room.Z();
  EXPECT_EQ(room.Label(), std::pair(kTrue, std::u16string(u"ゆ？")));
}

}  // namespace
}  // namespace munyura::world
