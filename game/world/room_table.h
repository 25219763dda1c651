// The map: thirty rooms, each with its monument and its four doorways.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "../runtime.h"
#include "doorway.h"

namespace munyura::world {

struct Room {
  std::int16_t Monument;  // n: Sekihi shows Image2(n) here
  std::int16_t RoomX;
  std::int16_t RoomY;
  std::array<Bool16, 4> DoorOpen;  // top, bottom, left, right

  bool IsOpen(Side side) const { return DoorOpen[static_cast<std::size_t>(side)] == kTrue; }
};

// "TB-R": a letter for each open side in the order top, bottom, left, right,
// a dash for a closed one.
constexpr std::array<Bool16, 4> Doors(std::string_view sides) {
  std::array<Bool16, 4> open{};
  for (std::size_t i = 0; i < open.size(); ++i) {
    open[i] = ToBool16(sides.at(i) != '-');
  }
  return open;
}

// clang-format off
inline constexpr std::array<Room, 30> kRooms{{
    // n  RoomX RoomY  doors
    { 0,  0,  0, Doors("TBLR")},
    { 1,  0, -1, Doors("-BLR")},
    { 2,  0,  1, Doors("T-LR")},
    { 3,  1,  0, Doors("TBL-")},
    { 4,  1, -1, Doors("-BL-")},
    { 5,  1,  1, Doors("T-L-")},
    { 6, -1,  0, Doors("TB-R")},
    { 7, -1, -1, Doors("-B-R")},
    { 8, -1,  1, Doors("T--R")},
    { 9, -1,  2, Doors("TB--")},
    {10, -1,  3, Doors("TBL-")},
    {11, -1,  4, Doors("TB--")},
    {12, -1,  5, Doors("TBLR")},
    {13, -1,  6, Doors("T--R")},
    {14,  0,  5, Doors("-BL-")},
    {15,  0,  6, Doors("T-L-")},
    {16, -2,  2, Doors("-BLR")},
    {17, -2,  3, Doors("---R")},
    {18, -2,  5, Doors("--LR")},
    {19, -3,  2, Doors("--LR")},
    {20, -3,  4, Doors("-BL-")},
    {21, -3,  5, Doors("T--R")},
    {22, -4,  1, Doors("-BL-")},
    {23, -4,  2, Doors("TBLR")},
    {24, -4,  3, Doors("-B--")},
    {25, -4,  4, Doors("T--R")},
    {26, -4,  5, Doors("T--R")},
    {27, -5,  1, Doors("-B-R")},
    {28, -5,  2, Doors("T--R")},
    {29, -6,  2, Doors("---R")},
}};
// clang-format on

// The room at these coordinates, or nullptr where the map has none.
const Room* FindRoom(std::int16_t room_x, std::int16_t room_y);

}  // namespace munyura::world
