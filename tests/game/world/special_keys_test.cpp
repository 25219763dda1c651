#include "world/special_keys.h"

#include <gtest/gtest.h>

#include "support/test_pictures.h"
#include "world/load_room.h"

namespace munyura::world {
namespace {

struct Case {
  std::int16_t key;
  std::int16_t x, y;
  float left, top;
  std::int16_t facing;
  float moved_top;  // where the chick ends up
  std::array<Bool16, 2> combo;
};

constexpr std::array<Bool16, 2> kNone{kFalse, kFalse};

// Every passage's doorway is closed, its posts hidden; where a doorway's edges lie is the doorway
// pulls' table. Top doorway: posts at 248 and 376, chick facing up 47 x 49. Bottom: inner end 352,
// facing down. Left: inner end 48, facing left 49 x 47.
constexpr Case kCases[] = {
    {kKeyH, -2, 3, 300, 20, 0, -80, kNone},
    {kKeyH, -2, 3, 248, 20, 0, 20, kNone},  // on the left post
    {kKeyH, -4, 3, 300, 20, 0, 20, kNone},  // H belongs to (-2, 3)
    {kKeyA, -2, 3, 300, 20, 0, 20, kNone},  // and A to (-4, 3)
    {kKeyA, -4, 3, 300, 20, 0, -80, kNone},
    {kKeyO, -4, 4, 300, 312, 2, 412, kNone},
    {kKeyO, -4, 5, 300, 312, 2, 312, kNone},
    {kKeyK, -5, 2, 20, 150, 3, 150, {kTrue, kFalse}},
    {kKeyR, -5, 2, 20, 150, 3, 150, {kFalse, kTrue}},
    {kKeyR, -5, 2, 48, 150, 3, 150, kNone},
    {kKeyK, -5, 1, 20, 150, 3, 150, kNone},
    {kKeyL, -5, 2, 20, 150, 3, 150, kNone},
    {kKeyZ, -2, 3, 300, 20, 0, 20, kNone},  // not a special key at all
};

TEST(SpecialKeys, EachKeyOpensItsPassageInItsOwnDoorwayOnly) {
  for (const Case& c : kCases) {
    scene::Scene scene = testing::PlayScene();
    GameState state{.RoomX = c.x, .RoomY = c.y};
    LoadRoom(state, scene);
    testing::PlaceChick(scene, c.left, c.top, c.facing);
    scene.Label1().Visible = kTrue;
    scene.Label1().Caption = std::u16string(u"お");

    PressSpecialKey(c.key, state, scene);

    SCOPED_TRACE(::testing::Message() << "key " << c.key << " in " << c.x << "," << c.y << " at "
                                      << c.left << "," << c.top);
    const bool fired = c.moved_top != c.top || c.combo != kNone;
    EXPECT_EQ(scene.Munyu().Top, c.moved_top);
    EXPECT_EQ(scene.Munyu().Left, c.left);
    EXPECT_EQ(state.ComboKey, c.combo);
    EXPECT_EQ(scene.Label1().Visible, fired ? kFalse : kTrue);
    EXPECT_EQ(scene.Label1().Caption, u"お");
  }
}

}  // namespace
}  // namespace munyura::world
