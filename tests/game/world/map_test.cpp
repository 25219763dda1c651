// The map checked from its own table: where every open doorway leads, which
// rooms are joined both ways, and that the hidden passages tie it together.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>

#include "world/room_table.h"
#include "world/special_keys.h"

namespace munyura::world {
namespace {

using Cell = std::pair<int, int>;

Cell Beyond(const Room& room, Side side) {
  constexpr int kDx[] = {0, 0, -1, 1};
  constexpr int kDy[] = {-1, 1, 0, 0};
  const auto i = static_cast<std::size_t>(side);
  return {room.RoomX + kDx[i], room.RoomY + kDy[i]};
}

const Room* At(Cell cell) {
  return FindRoom(static_cast<std::int16_t>(cell.first), static_cast<std::int16_t>(cell.second));
}

Side Opposite(Side side) {
  constexpr Side kOpposite[] = {Side::kBottom, Side::kTop, Side::kRight, Side::kLeft};
  return kOpposite[static_cast<std::size_t>(side)];
}

// Rooms reachable from `start` through open doorways, plus the hidden
// passages when `with_passages` is set. `reverse` follows every way backwards.
std::set<int> Reachable(Cell start, bool with_passages, bool reverse) {
  std::multimap<int, int> ways;  // monument to monument
  for (const Room& room : kRooms) {
    for (const Side side : kSides) {
      if (room.IsOpen(side)) {
        ways.emplace(room.Monument, At(Beyond(room, side))->Monument);
      }
    }
  }
  if (with_passages) {
    ways.emplace(8, 9);  // Z dropping through the bottom of room (-1, 1)
    for (const Passage& p : kPassages) {
      const Room* from = FindRoom(p.RoomX, p.RoomY);
      ways.emplace(from->Monument, At(Beyond(*from, p.Doorway))->Monument);
    }
  }
  std::set<int> seen{At(start)->Monument};
  std::vector<int> todo(seen.begin(), seen.end());
  while (!todo.empty()) {
    const int n = todo.back();
    todo.pop_back();
    for (const auto& [from, to] : ways) {
      const int next = reverse ? (to == n ? from : -1) : (from == n ? to : -1);
      if (next >= 0 && seen.insert(next).second) {
        todo.push_back(next);
      }
    }
  }
  return seen;
}

std::set<int> AllMonuments() {
  std::set<int> all;
  for (const Room& room : kRooms) {
    all.insert(room.Monument);
  }
  return all;
}

TEST(Map, EveryOpenDoorwayLeadsIntoARoomAndAllButSevenLeadBack) {
  int two_way = 0;
  int one_way = 0;
  for (const Room& room : kRooms) {
    for (const Side side : kSides) {
      if (room.IsOpen(side)) {
        const Room* next = At(Beyond(room, side));
        ASSERT_NE(next, nullptr) << "room " << room.Monument << " opens onto nothing";
        ++(next->IsOpen(Opposite(side)) ? two_way : one_way);
      }
    }
  }
  EXPECT_EQ(two_way, 2 * 31);
  EXPECT_EQ(one_way, 7);
}

TEST(Map, TheHiddenPassagesAloneLeadOutOfTheStartRooms) {
  EXPECT_EQ(Reachable({0, 0}, false, false), (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(Reachable({0, 0}, true, false), AllMonuments()) << "every room from the start";
  EXPECT_EQ(Reachable({0, 0}, true, true), AllMonuments()) << "the start from every room";
  // Every passage goes through a doorway that the map keeps closed.
  for (const Passage& p : kPassages) {
    EXPECT_FALSE(FindRoom(p.RoomX, p.RoomY)->IsOpen(p.Doorway));
  }
  EXPECT_FALSE(FindRoom(-1, 1)->IsOpen(Side::kBottom));
}

}  // namespace
}  // namespace munyura::world
