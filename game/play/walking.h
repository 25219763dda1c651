// The chick's walk: kept inside the walls, 10 pixels a tick per held arrow.
#pragma once

#include "../game_state.h"
#include "../scene/scene.h"

namespace munyura::play {

inline constexpr float kWalkStep = 10;

// Clears the flag of each side on which the chick already reaches past the
// wall rectangle Shape2. The chick itself is not moved, so it can stand up to
// one step beyond the wall.
void ApplyWalkingAreaLimits(GameState& state, const scene::Scene& scene);

// One step per held flag, Left, Right, Up, Down in that order, each showing
// its direction's picture: when several hold, the last one's picture stays.
void MoveChick(const GameState& state, scene::Scene& scene);

}  // namespace munyura::play
