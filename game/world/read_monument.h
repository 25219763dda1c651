// The Z key: read the monument under the chick, or hide what is shown.
#pragma once

#include "../game_state.h"
#include "../scene/scene.h"

namespace munyura::world {

// Hides Label1 if it is shown. Otherwise shows it with the inscription of the
// monument the chick overlaps, or with "何もないん" away from it; except in
// the closed bottom doorway of room (-1, 1), where the chick drops 70 pixels
// through the hidden passage and the label stays hidden.
void ReadMonument(const GameState& state, scene::Scene& scene);

}  // namespace munyura::world
