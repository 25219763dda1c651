#include "desktop/window/frame_content.h"

#include <algorithm>
#include <cmath>

namespace munyura::desktop {
namespace {

constexpr GameArea kWholeGame{0, 0, window_rules::kGameWidth, window_rules::kGameHeight};

int Floor(float value) {
  return static_cast<int>(std::clamp(std::floor(value), -1e6F, 1e6F));
}

int Ceil(float value) {
  return static_cast<int>(std::clamp(std::ceil(value), -1e6F, 1e6F));
}

// A pixel more on every side: positions are rounded when drawn, and a line
// is as wide as a pixel beyond its end points.
GameArea RectangleArea(float left, float top, float width, float height) {
  return {Floor(left) - 1, Floor(top) - 1, Ceil(left + std::max(width, 0.0F)) + 2,
          Ceil(top + std::max(height, 0.0F)) + 2};
}

}  // namespace

GameArea FrameContent::AreaOf(const ControlLook& control) {
  if (control.visible == kFalse) {
    return {};
  }
  if (control.line) {
    return RectangleArea(std::min(control.x1, control.x2), std::min(control.y1, control.y2),
                         std::abs(control.x2 - control.x1), std::abs(control.y2 - control.y1));
  }
  return RectangleArea(control.left, control.top, control.width, control.height);
}

void FrameContent::Include(const GameArea& area) {
  if (area.Empty()) {
    return;
  }
  changed_ =
      changed_.Empty()
          ? area
          : GameArea{std::min(changed_.left, area.left), std::min(changed_.top, area.top),
                     std::max(changed_.right, area.right), std::max(changed_.bottom, area.bottom)};
}

bool FrameContent::Update(const scene::Scene& scene, ButtonLook look, const Letterbox& box) {
  const auto controls = scene.Controls();
  const bool anew = controls_.size() != controls.size() || box != box_;
  bool changed = anew || look != look_;
  changed_ = {};
  if (look != look_) {
    const scene::SceneControl& button = scene.Command1();
    Include(RectangleArea(button.Left, button.Top, button.Width, button.Height));
  }
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
      Include(AreaOf(noted));
      noted = {control.Visible,
               control.Left,
               control.Top,
               control.Width,
               control.Height,
               control.X1,
               control.Y1,
               control.X2,
               control.Y2,
               control.Picture(),
               control.Caption,
               control.BackColour,
               control.Kind == scene::ControlKind::kLine};
      Include(AreaOf(noted));
      changed = true;
    }
  }
  // At a fractional scale a game pixel's edge may fall inside an output
  // pixel that its neighbour shares: the whole game is drawn again.
  if (anew || (changed && !box.WholeScale())) {
    changed_ = kWholeGame;
  }
  changed_ = {std::max(changed_.left, 0), std::max(changed_.top, 0),
              std::min(changed_.right, kWholeGame.right),
              std::min(changed_.bottom, kWholeGame.bottom)};
  return changed;
}

}  // namespace munyura::desktop
