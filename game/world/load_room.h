// Setting up the room at (RoomX, RoomY) after the chick walks into it.
#pragma once

#include "../game_state.h"
#include "../scene/scene.h"

namespace munyura::world {

// Stops the chick (all four MoveKey flags cleared), gives Sekihi the room's
// monument and shows the posts of its open doorways only. Coordinates that
// are no room close every doorway and leave the monument as it was.
void LoadRoom(GameState& state, scene::Scene& scene);

}  // namespace munyura::world
