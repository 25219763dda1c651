#include "doorway.h"

namespace munyura::world {

scene::SceneControl& Post(scene::Scene& scene, Side side, std::int16_t index) {
  return scene.Line(static_cast<int>(side) + 1, index);
}

const scene::SceneControl& Post(const scene::Scene& scene, Side side, std::int16_t index) {
  return scene.Line(static_cast<int>(side) + 1, index);
}

bool StandsInDoorway(const scene::Scene& scene, Side side) {
  const scene::SceneControl& m = scene.Munyu();
  const scene::SceneControl& post0 = Post(scene, side, 0);
  const scene::SceneControl& post1 = Post(scene, side, 1);

  // Across the doorway: strictly between the two posts. The top and bottom
  // posts stand upright and are told apart by X1, the side posts by Y1.
  const bool upright = side == Side::kTop || side == Side::kBottom;
  const float near_edge = upright ? m.Left : m.Top;
  const float far_edge = SingleSum(near_edge, upright ? m.Width : m.Height);
  const bool after_first_post = (upright ? post0.X1 : post0.Y1) < near_edge;
  const bool before_second_post = far_edge < (upright ? post1.X1 : post1.Y1);

  // Into the doorway: the leading edge has passed the posts' inner end.
  bool past_inner_end = false;
  switch (side) {
    case Side::kTop:
      past_inner_end = post0.Y2 > m.Top;
      break;
    case Side::kBottom:
      past_inner_end = SingleSum(m.Top, m.Height) > post0.Y2;
      break;
    case Side::kLeft:
      past_inner_end = post0.X2 > m.Left;
      break;
    case Side::kRight:
      past_inner_end = SingleSum(m.Left, m.Width) > post0.X2;
      break;
  }
  // Every comparison has been made before they are combined, so a sum that
  // overflows raises its error whatever the others say.
  return after_first_post && before_second_post && past_inner_end;
}

}  // namespace munyura::world
