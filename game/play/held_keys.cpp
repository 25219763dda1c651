#include "held_keys.h"

#include <array>
#include <optional>

#include "../key_codes.h"

namespace munyura::play {
namespace {

// In the order the key handlers compare them.
constexpr std::array<std::int16_t, 4> kArrowKeys{kKeyLeft, kKeyRight, kKeyUp, kKeyDown};
static_assert(kArrowKeys[kMoveLeft] == kKeyLeft && kArrowKeys[kMoveRight] == kKeyRight &&
              kArrowKeys[kMoveUp] == kKeyUp && kArrowKeys[kMoveDown] == kKeyDown);

std::optional<std::size_t> MoveFlagOf(std::int16_t key_code) {
  for (std::size_t flag = 0; flag < kArrowKeys.size(); ++flag) {
    if (kArrowKeys[flag] == key_code) {
      return flag;
    }
  }
  return std::nullopt;
}

}  // namespace

bool PressArrowKey(std::int16_t key_code, GameState& state) {
  const auto flag = MoveFlagOf(key_code);
  if (flag) {
    state.MoveKey[*flag] = kTrue;
  }
  return flag.has_value();
}

void ReleaseKey(std::int16_t key_code, GameState& state) {
  if (const auto flag = MoveFlagOf(key_code)) {
    state.MoveKey[*flag] = kFalse;
  } else if (key_code == kKeyK) {
    state.ComboKey[kComboK] = kFalse;
  } else if (key_code == kKeyL) {
    state.ComboKey[kComboR] = kFalse;
  }
}

}  // namespace munyura::play
