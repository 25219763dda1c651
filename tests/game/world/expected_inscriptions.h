// What a player must read on the monument of each room.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace munyura::testing {

struct RoomText {
  std::int16_t room_x;
  std::int16_t room_y;
  std::u16string_view text;
};

extern const std::array<RoomText, 30> kExpectedInscriptions;

}  // namespace munyura::testing
