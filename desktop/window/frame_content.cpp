#include "desktop/window/frame_content.h"

namespace munyura::desktop {
bool FrameContent::Update(const scene::Scene& scene, ButtonLook look, const Letterbox& box) {
  const auto controls = scene.Controls();
  bool changed = controls_.size() != controls.size() || look != look_ || box != box_;
  controls_.resize(controls.size());
  look_ = look;
  box_ = box;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const scene::SceneControl& control = controls[i];
    ControlLook& noted = controls_[i];
    // Compared in place, so that an unchanged caption is not copied.
    const bool same = noted.visible == control.Visible && noted.left == control.Left &&
                      noted.top == control.Top && noted.width == control.Width &&
                      noted.height == control.Height && noted.x1 == control.X1 &&
                      noted.y1 == control.Y1 && noted.x2 == control.X2 && noted.y2 == control.Y2 &&
                      noted.picture == control.Picture() && noted.caption == control.Caption &&
                      noted.back_colour == control.BackColour;
    if (!same) {
      noted = {control.Visible, control.Left,      control.Top,     control.Width,
               control.Height,  control.X1,        control.Y1,      control.X2,
               control.Y2,      control.Picture(), control.Caption, control.BackColour};
      changed = true;
    }
  }
  return changed;
}

}  // namespace munyura::desktop
