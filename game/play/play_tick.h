// One tick of play, in its fixed order.
#pragma once

#include "../game_state.h"
#include "../scene/scene.h"

namespace munyura::play {

// Walking-area limits, doorway pull, movement, edge crossings, hop. Each step
// sees what the steps before it changed.
void RunPlayTick(GameState& state, scene::Scene& scene);

}  // namespace munyura::play
