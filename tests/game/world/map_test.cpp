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

TEST(Map, ThirtyRoomsEachWithItsOwnMonument) {
  std::set<int> monuments;
  std::set<Cell> cells;
  for (const Room& room : kRooms) {
    monuments.insert(room.Monument);
    cells.insert({room.RoomX, room.RoomY});
    EXPECT_TRUE(room.RoomX >= -6 && room.RoomX <= 1 && room.RoomY >= -1 && room.RoomY <= 6);
    EXPECT_EQ(FindRoom(room.RoomX, room.RoomY), &room);
  }
  EXPECT_EQ(monuments.size(), 30U);
  EXPECT_EQ(*monuments.rbegin(), 29);
  EXPECT_EQ(cells.size(), 30U);
  for (const Cell& none : {Cell{0, 2}, Cell{2, 0}, Cell{-7, 2}, Cell{-6, 1}, Cell{1, 2}}) {
    EXPECT_EQ(At(none), nullptr) << none.first << "," << none.second;
  }
}

TEST(Map, EveryOpenDoorwayLeadsIntoARoomAndAllButSevenLeadBack) {
  std::set<std::pair<int, int>> two_way;
  std::set<std::pair<int, Side>> one_way;
  for (const Room& room : kRooms) {
    for (const Side side : kSides) {
      if (!room.IsOpen(side)) {
        continue;
      }
      const Room* next = At(Beyond(room, side));
      ASSERT_NE(next, nullptr) << "room " << room.Monument << " opens onto nothing";
      if (next->IsOpen(Opposite(side))) {
        two_way.insert(std::minmax(room.Monument, next->Monument));
      } else {
        one_way.insert({room.Monument, side});
      }
    }
  }
  const std::set<std::pair<int, int>> expected_two_way{
      {0, 1},   {0, 2},   {0, 3},   {0, 6},   {1, 4},   {1, 7},   {2, 5},   {2, 8},
      {3, 4},   {3, 5},   {6, 7},   {6, 8},   {9, 10},  {10, 11}, {10, 17}, {11, 12},
      {12, 13}, {12, 14}, {12, 18}, {13, 15}, {14, 15}, {16, 19}, {18, 21}, {19, 23},
      {20, 21}, {20, 25}, {22, 23}, {22, 27}, {23, 28}, {24, 25}, {27, 28}};
  EXPECT_EQ(two_way, expected_two_way);
  const std::set<std::pair<int, Side>> expected_one_way{
      {9, Side::kTop},  {16, Side::kBottom}, {16, Side::kRight}, {23, Side::kBottom},
      {26, Side::kTop}, {26, Side::kRight},  {29, Side::kRight}};
  EXPECT_EQ(one_way, expected_one_way);
}

TEST(Map, TheHiddenPassagesAloneLeadOutOfTheStartRooms) {
  EXPECT_EQ(Reachable({0, 0}, false, false), (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}));
  std::set<int> all;
  for (int n = 0; n < 30; ++n) {
    all.insert(n);
  }
  EXPECT_EQ(Reachable({0, 0}, true, false), all) << "every room from the start";
  EXPECT_EQ(Reachable({0, 0}, true, true), all) << "the start from every room";
  // Every passage goes through a doorway that the map keeps closed.
  for (const Passage& p : kPassages) {
    EXPECT_FALSE(FindRoom(p.RoomX, p.RoomY)->IsOpen(p.Doorway));
  }
  EXPECT_FALSE(FindRoom(-1, 1)->IsOpen(Side::kBottom));
}

}  // namespace
}  // namespace munyura::world
