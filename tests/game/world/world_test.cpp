// The map's doorways, and LoadRoom, Z and the special keys where the walkthrough never stands.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

#include "scene/screens.h"
#include "support/test_pictures.h"
#include "world/inscriptions.h"
#include "world/load_room.h"
#include "world/read_monument.h"
#include "world/room_table.h"
#include "world/special_keys.h"

namespace munyura::world {
namespace {

constexpr Bool16 T = kTrue;
constexpr std::u16string_view kNothing = u"\u4F55\u3082\u306A\u3044\u3093";
const std::u16string kBefore(scene::kInstructions);  // the caption the title screen leaves
using Cell = std::pair<int, int>;
using Label = std::pair<Bool16, std::u16string>;

// A room loaded on the play screen with the chick placed in it.
struct InRoom {
  GameState state;
  scene::Scene scene;

  InRoom(std::int16_t x, std::int16_t y, float left = 280, float top = 192, std::int16_t facing = 2)
      : state{.RoomX = x, .RoomY = y}, scene(testing::PlayScene(left, top, facing)) {
    LoadRoom(state, scene);
  }
  Label Shown() const { return {scene.Label1().Visible, scene.Label1().Caption}; }
};

using Way = std::pair<Cell, Cell>;

// From room (x, y) through its top, bottom, left or right doorway.
Way Through(int x, int y, Side side) {
  const int i = static_cast<int>(side);
  return {{x, y}, {x + (i == 3) - (i == 2), y + (i == 1) - (i == 0)}};
}

// The room changes the open doorways allow and, with `hidden`, the passages and Z's drop too.
std::set<Way> Ways(bool hidden) {
  std::set<Way> ways;
  for (const Room& room : kRooms) {
    for (const Side side : kSides) {
      if (room.IsOpen(side)) {
        ways.insert(Through(room.RoomX, room.RoomY, side));
      }
    }
  }
  if (hidden) {
    ways.insert(Through(-1, 1, Side::kBottom));
    for (const Passage& p : kPassages) {
      ways.insert(Through(p.RoomX, p.RoomY, p.Doorway));
    }
  }
  return ways;
}

std::set<Cell> ReachableFromStart(const std::set<Way>& ways, bool backwards) {
  std::set<Cell> seen{{0, 0}};
  for (bool grew = true; grew;) {
    grew = false;
    for (const auto& [a, b] : ways) {
      const auto& [from, to] = backwards ? std::pair(b, a) : std::pair(a, b);
      grew |= seen.contains(from) && seen.insert(to).second;
    }
  }
  return seen;
}

TEST(Map, AllButSevenDoorwaysLeadBackOnlyPassagesLeaveTheStartAndEveryRoomLeadsBackToIt) {
  const auto open = Ways(false);
  const auto one_way = std::ranges::count_if(open, [&](const Way& way) {
    return !open.contains({way.second, way.first});
  });
  EXPECT_EQ(std::pair(open.size(), one_way), std::pair(std::size_t{2 * 31 + 7}, std::ptrdiff_t{7}));
  std::set<Cell> start_rooms;  // monuments 0 to 8
  std::set<Cell> all;
  for (const Room& room : kRooms) {
    (room.Monument <= 8 ? start_rooms : all).emplace(room.RoomX, room.RoomY);
  }
  all.insert(start_rooms.begin(), start_rooms.end());
  EXPECT_EQ(ReachableFromStart(open, false), start_rooms);
  EXPECT_EQ(ReachableFromStart(Ways(true), true), all) << "the start from every room";
}

// Each room's posts and monument are played by the walkthrough and the random streams; here, from
// (-5, 1) and its monument 27, into a room open on all sides and off the map.
TEST(LoadRoom, StopsTheChickLeavesTheMessageAndOffTheMapClosesEveryDoorwayKeepsTheMonument) {
  using Case = std::tuple<std::int16_t, std::int16_t, unsigned, int>;  // monument, posts shown
  for (const auto& [x, y, monument, posts] :
       {Case{-4, 2, 23, 8}, Case{-7, 2, 27, 0}, Case{-32768, 6, 27, 0}}) {
    InRoom room(-5, 1);
    room.scene.Label1().Visible = T;
    room.state = {.RoomX = x, .RoomY = y, .MoveKey = {T, T, T, T}};
    LoadRoom(room.state, room.scene);
    const auto shown = std::ranges::count_if(room.scene.Controls(), [](const auto& control) {
      return control.Kind == scene::ControlKind::kLine && control.Visible == T;
    });
    EXPECT_EQ(std::tuple(room.scene.Sekihi().Picture()->Handle(), shown,
                         room.scene.Label1().Visible, room.state.MoveKey),
              std::tuple(200 + monument, posts, T, std::array<Bool16, 4>{}))
        << x << "," << y;
  }
}

// Sekihi stands at 232, 88, 150 x 150, the bottom posts at 256 and 384; the chick faces right
// (49 x 47) or down (47 x 49). Z reads only a chick strictly over the monument, and the bottom
// doorway of (-1, 1) drops it and hides the message. Off the map, Sekihi keeps its last monument.
TEST(ReadMonument, ReadsOnlyOverTheMonumentAndDropsTheChickThroughOneDoorway) {
  const std::u16string_view kRead = Inscription(3);
  // The room, left, top, facing: where the chick's top is then, and the message.
  using Case = std::tuple<std::int16_t, std::int16_t, float, float, std::int16_t, float, Bool16,
                          std::u16string_view>;
  for (const auto& [x, y, left, top, facing, moved_top, shown, caption] :
       {Case{1, 0, 183, 150, 1, 150, T, kNothing}, Case{1, 0, 183.5F, 150, 1, 150, T, kRead},
        Case{1, 0, 382, 150, 1, 150, T, kNothing}, Case{1, 0, 381, 150, 1, 150, T, kRead},
        Case{1, 0, 300, 41, 1, 41, T, kNothing}, Case{1, 0, 300, 42, 1, 42, T, kRead},
        Case{1, 0, 300, 238, 1, 238, T, kNothing}, Case{1, 0, 300, 237.5F, 1, 237.5F, T, kRead},
        Case{-1, 1, 300, 312, 2, 382, kFalse, kBefore}, Case{-1, 1, 256, 312, 2, 312, T, kNothing},
        Case{2, 0, 240, 100, 2, 100, T, Inscription(0)}}) {
    InRoom room(x, y, left, top, facing);
    ReadMonument(room.state, room.scene);
    EXPECT_EQ(std::pair(room.scene.Munyu().Top, room.Shown()),
              std::pair(moved_top, Label(shown, std::u16string(caption))))
        << x << "," << y << " at " << left << "," << top;
  }
}

TEST(ReadMonument, APictureOfNoMonumentLeavesTheCaption) {
  InRoom room(0, 0, 240, 100);  // over Sekihi whether it is 150 x 150 or 47 x 49
  room.scene.Sekihi().SetPicture(room.scene.Picture1(0).Picture());
  ReadMonument(room.state, room.scene);
  EXPECT_EQ(room.Shown(), Label(T, kBefore));
}

// Every passage's doorway is closed, its posts hidden. Top: posts at 248 and 376, the chick facing
// up 47 x 49. Bottom: inner end 352, facing down. Left: inner end 48, facing left 49 x 47.
TEST(SpecialKeys, EachKeyOpensItsPassageInItsOwnDoorwayOnly) {
  using Combos = std::array<Bool16, 2>;
  // The key pressed in a room at left, top, facing: where the chick's top is then, and ComboKey.
  using Case = std::tuple<std::int16_t, std::int16_t, std::int16_t, float, float, std::int16_t,
                          float, Combos>;
  for (const auto& [key, x, y, left, top, facing, moved_top, combo] :
       {Case{kKeyH, -2, 3, 300, 20, 0, -80, {}},
        Case{kKeyH, -2, 3, 248, 20, 0, 20, {}},  // on the left post
        Case{kKeyO, -4, 4, 300, 312, 2, 412, {}}, Case{kKeyL, -5, 2, 20, 150, 3, 150, {}},
        Case{kKeyR, -5, 2, 20, 150, 3, 150, {kFalse, T}}, Case{kKeyR, -5, 2, 48, 150, 3, 150, {}},
        Case{kKeyZ, -2, 3, 300, 20, 0, 20, {}}}) {  // Z: not a special key at all
    InRoom room(x, y, left, top, facing);
    room.scene.Label1().Visible = T;
    PressSpecialKey(key, room.state, room.scene);
    const bool fired = moved_top != top || combo != Combos{};
    EXPECT_EQ(std::tuple(room.scene.Munyu().Left, room.scene.Munyu().Top, room.state.ComboKey,
                         room.Shown()),
              std::tuple(left, moved_top, combo, Label(fired ? kFalse : T, kBefore)))
        << "key " << key << " in " << x << "," << y << " at " << left << "," << top;
  }
}

}  // namespace
}  // namespace munyura::world
