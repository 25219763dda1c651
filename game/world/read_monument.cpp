#include "read_monument.h"

#include <optional>

#include "doorway.h"
#include "inscriptions.h"

namespace munyura::world {
namespace {

// The passage the inscriptions of rooms (0, -1) and (-1, 1) hint at.
constexpr std::int16_t kDropRoomX = -1;
constexpr std::int16_t kDropRoomY = 1;
constexpr Side kDropDoorway = Side::kBottom;
constexpr float kDropDistance = 70;

// Strict on all four sides: rectangles that only share an edge do not overlap.
bool ChickOverlapsMonument(const scene::Scene& scene) {
  const scene::SceneControl& m = scene.Munyu();
  const scene::SceneControl& s = scene.Sekihi();
  const bool right_of_its_left = SingleSum(m.Left, m.Width) > s.Left;
  const bool left_of_its_right = SingleSum(s.Left, s.Width) > m.Left;
  const bool below_its_top = SingleSum(m.Top, m.Height) > s.Top;
  const bool above_its_bottom = SingleSum(s.Top, s.Height) > m.Top;
  return right_of_its_left && left_of_its_right && below_its_top && above_its_bottom;
}

// Which Image2 picture Sekihi shows, found by Handle, first match first.
std::optional<std::int16_t> MonumentShown(const scene::Scene& scene) {
  const scene::PictureRef& shown = scene.Sekihi().Picture();
  for (std::int16_t n = 0; n < 30; ++n) {
    const scene::PictureRef& candidate = scene.Image2(n).Picture();
    if (shown && candidate && shown->Handle() == candidate->Handle()) {
      return n;
    }
  }
  return std::nullopt;
}

bool StandsOnHiddenDrop(const GameState& state, const scene::Scene& scene) {
  const bool in_room_x = state.RoomX == kDropRoomX;
  const bool in_room_y = state.RoomY == kDropRoomY;
  const bool in_doorway = StandsInDoorway(scene, kDropDoorway);
  return in_room_x && in_room_y && in_doorway;
}

}  // namespace

void ReadMonument(const GameState& state, scene::Scene& scene) {
  scene::SceneControl& label = scene.Label1();
  if (label.Visible == kTrue) {
    label.Visible = kFalse;
    return;
  }
  label.Visible = kTrue;

  if (ChickOverlapsMonument(scene)) {
    if (const auto n = MonumentShown(scene)) {
      label.Caption = Inscription(*n);
    }
    return;
  }
  if (StandsOnHiddenDrop(state, scene)) {
    scene.Munyu().Top = SingleSum(scene.Munyu().Top, kDropDistance);
    label.Visible = kFalse;
    return;
  }
  label.Caption = kNothingHere;
}

}  // namespace munyura::world
