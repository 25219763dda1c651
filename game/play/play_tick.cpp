#include "play_tick.h"

#include "doorway_pull.h"
#include "edge_crossings.h"
#include "walking.h"

namespace munyura::play {

void RunPlayTick(GameState& state, scene::Scene& scene) {
  ApplyWalkingAreaLimits(state, scene);
  ApplyDoorwayPull(state, scene);
  MoveChick(state, scene);
  CrossEdges(state, scene);
  Hop(state, scene);
}

}  // namespace munyura::play
