// The virtual-key codes the game listens for. Letters arrive as the code of
// the upper-case letter whatever the Shift state.
#pragma once

#include <cstdint>

namespace munyura {

inline constexpr std::int16_t kKeyLeft = 37;
inline constexpr std::int16_t kKeyUp = 38;
inline constexpr std::int16_t kKeyRight = 39;
inline constexpr std::int16_t kKeyDown = 40;
inline constexpr std::int16_t kKeyA = 65;
inline constexpr std::int16_t kKeyH = 72;
inline constexpr std::int16_t kKeyK = 75;
inline constexpr std::int16_t kKeyL = 76;
inline constexpr std::int16_t kKeyO = 79;
inline constexpr std::int16_t kKeyR = 82;
inline constexpr std::int16_t kKeyZ = 90;

}  // namespace munyura
