#include "load_room.h"

#include "room_table.h"

namespace munyura::world {

void LoadRoom(GameState& state, scene::Scene& scene) {
  std::array<Bool16, 4> door_open{kFalse, kFalse, kFalse, kFalse};
  for (Bool16& flag : state.MoveKey) {
    flag = kFalse;
  }
  if (const Room* room = FindRoom(state.RoomX, state.RoomY)) {
    scene.Sekihi().SetPicture(scene.Image2(room->Monument).Picture());
    door_open = room->DoorOpen;
  }
  for (const Side side : kSides) {
    const Bool16 open = door_open[static_cast<std::size_t>(side)];
    Post(scene, side, 0).Visible = open;
    Post(scene, side, 1).Visible = open;
  }
}

}  // namespace munyura::world
