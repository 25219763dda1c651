// The pull of an open doorway: once the chick is in it, it walks on out.
#pragma once

#include "../game_state.h"
#include "../scene/scene.h"

namespace munyura::play {

// For each side in order top, bottom, left, right: if the side's posts are
// shown and the chick stands in its doorway, that side's walking flag is set
// and the other three cleared, whatever keys are held.
void ApplyDoorwayPull(GameState& state, const scene::Scene& scene);

}  // namespace munyura::play
