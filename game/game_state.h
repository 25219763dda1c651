// The window's own variables: where the chick is in the world and which keys
// it is acting on. Everything else the player sees lives in the scene.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "runtime.h"

namespace munyura {

// Index order of MoveKey: Left, Right, Up, Down (not the key codes' order).
inline constexpr std::size_t kMoveLeft = 0;
inline constexpr std::size_t kMoveRight = 1;
inline constexpr std::size_t kMoveUp = 2;
inline constexpr std::size_t kMoveDown = 3;

// ComboKey(0) is set by K, ComboKey(1) by R; together they make the hop.
inline constexpr std::size_t kComboK = 0;
inline constexpr std::size_t kComboR = 1;

struct GameState {
  std::int16_t RoomX = 0;  // grows eastward
  std::int16_t RoomY = 0;  // grows southward
  std::array<Bool16, 4> MoveKey{kFalse, kFalse, kFalse, kFalse};
  std::array<Bool16, 2> ComboKey{kFalse, kFalse};
};

}  // namespace munyura
