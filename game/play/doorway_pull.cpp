#include "doorway_pull.h"

#include "../world/doorway.h"

namespace munyura::play {
namespace {

std::size_t MoveFlagToward(world::Side side) {
  switch (side) {
    case world::Side::kTop:
      return kMoveUp;
    case world::Side::kBottom:
      return kMoveDown;
    case world::Side::kLeft:
      return kMoveLeft;
    case world::Side::kRight:
      break;
  }
  return kMoveRight;
}

}  // namespace

void ApplyDoorwayPull(GameState& state, const scene::Scene& scene) {
  for (const world::Side side : world::kSides) {
    // Only post 0 is consulted: the room loader shows both posts or neither.
    const bool open = world::Post(scene, side, 0).Visible == kTrue;
    const bool in_doorway = world::StandsInDoorway(scene, side);
    if (open && in_doorway) {
      state.MoveKey.fill(kFalse);
      state.MoveKey[MoveFlagToward(side)] = kTrue;
    }
  }
}

}  // namespace munyura::play
