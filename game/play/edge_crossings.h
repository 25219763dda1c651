// Leaving the window into the next room, and the hop through the left wall.
#pragma once

#include "../game_state.h"
#include "../scene/scene.h"

namespace munyura::play {

// For each edge in order west, east, north, south: once the chick is wholly
// outside the window, the room coordinate moves one step that way (a 16-bit
// overflow raises before anything changes), the chick re-enters at the
// opposite side just short of that doorway's pull, and the room is loaded.
void CrossEdges(GameState& state, scene::Scene& scene);

// With both ComboKey flags set the chick jumps 100 pixels left and K's flag
// is used up; R's stays armed.
void Hop(GameState& state, scene::Scene& scene);

}  // namespace munyura::play
