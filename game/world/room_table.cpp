#include "room_table.h"

#include <algorithm>

namespace munyura::world {

const Room* FindRoom(std::int16_t room_x, std::int16_t room_y) {
  const auto it = std::find_if(kRooms.begin(), kRooms.end(), [&](const Room& room) {
    return room.RoomX == room_x && room.RoomY == room_y;
  });
  return it == kRooms.end() ? nullptr : &*it;
}

}  // namespace munyura::world
