#include "window_rules/mouse_clicks.h"

#include <array>
#include <utility>

namespace munyura::window_rules {
namespace {

bool Contains(const scene::SceneControl& control, float x, float y) {
  return control.Visible != kFalse && control.Left <= x && x < control.Left + control.Width &&
         control.Top <= y && y < control.Top + control.Height;
}

}  // namespace

std::optional<ClickTarget> ClickTargetAt(float x, float y, const scene::Scene& scene) {
  // Front-most first.
  const std::array<std::pair<const scene::SceneControl*, ClickTarget>, 2> targets{{
      {&scene.Command1(), ClickTarget::kStartButton},
      {&scene.Label2(), ClickTarget::kRestartLabel},
  }};
  for (const auto& [control, target] : targets) {
    if (Contains(*control, x, y)) {
      return target;
    }
  }
  return std::nullopt;
}

void MouseClicks::Press(float x, float y, const scene::Scene& scene) {
  Move(x, y);
  pressed_on_ = ClickTargetAt(x, y, scene);
}

std::optional<ClickTarget> MouseClicks::Release(float x, float y, const scene::Scene& scene) {
  Move(x, y);
  const std::optional<ClickTarget> pressed_on = std::exchange(pressed_on_, std::nullopt);
  if (pressed_on && ClickTargetAt(x, y, scene) == pressed_on) {
    return pressed_on;
  }
  return std::nullopt;
}

void MouseClicks::Move(float x, float y) {
  x_ = x;
  y_ = y;
}

bool MouseClicks::StartButtonLooksPressed(const scene::Scene& scene) const {
  return pressed_on_ == ClickTarget::kStartButton &&
         ClickTargetAt(x_, y_, scene) == ClickTarget::kStartButton;
}

}  // namespace munyura::window_rules
