// The held-key flags: arrow keys walk, K and L release the hop's halves.
#pragma once

#include <cstdint>

#include "../game_state.h"

namespace munyura::play {

// Sets the walking flag of an arrow key and returns true; any other key
// returns false and changes nothing.
bool PressArrowKey(std::int16_t key_code, GameState& state);

// Clears the flag a released key holds: an arrow its MoveKey, K ComboKey(0),
// L ComboKey(1). Releasing R clears nothing, so R stays armed until L goes up.
void ReleaseKey(std::int16_t key_code, GameState& state);

}  // namespace munyura::play
