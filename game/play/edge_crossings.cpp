#include "edge_crossings.h"

#include "../world/load_room.h"

namespace munyura::play {
namespace {

constexpr float kEnterFromEastLeft = 510;  // after leaving to the west
constexpr float kEnterFromWestLeft = 55;   // after leaving to the east
constexpr float kEnterFromSouthTop = 300;  // after leaving to the north
constexpr float kEnterFromNorthTop = 40;   // after leaving to the south
constexpr float kHopDistance = 100;

}  // namespace

void CrossEdges(GameState& state, scene::Scene& scene) {
  scene::SceneControl& m = scene.Munyu();
  if (SingleSum(m.Left, m.Width) < 0) {
    state.RoomX = Int16Sum(state.RoomX, -1);
    m.Left = kEnterFromEastLeft;
    world::LoadRoom(state, scene);
  }
  if (m.Left > scene.ScaleWidth()) {
    state.RoomX = Int16Sum(state.RoomX, 1);
    m.Left = kEnterFromWestLeft;
    world::LoadRoom(state, scene);
  }
  if (SingleSum(m.Top, m.Height) < 0) {
    state.RoomY = Int16Sum(state.RoomY, -1);
    m.Top = kEnterFromSouthTop;
    world::LoadRoom(state, scene);
  }
  if (m.Top > scene.ScaleHeight()) {
    state.RoomY = Int16Sum(state.RoomY, 1);
    m.Top = kEnterFromNorthTop;
    world::LoadRoom(state, scene);
  }
}

void Hop(GameState& state, scene::Scene& scene) {
  const bool r_armed = state.ComboKey[kComboR] == kTrue;
  const bool k_armed = state.ComboKey[kComboK] == kTrue;
  if (r_armed && k_armed) {
    scene.Munyu().Left = SingleSum(scene.Munyu().Left, -kHopDistance);
    state.ComboKey[kComboK] = kFalse;
  }
}

}  // namespace munyura::play
