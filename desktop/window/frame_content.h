// What a frame of the window shows, kept from one frame to the next so that
// the loop draws only when something visible changed: an idle play screen
// then costs a tick and no drawing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scene/scene.h"
#include "window_rules/letterbox.h"
#include "window_rules/window_events.h"

namespace munyura::desktop {

using window_rules::ButtonLook;
using window_rules::Letterbox;

class FrameContent {
 public:
  // Notes what a frame of this scene would show; returns whether that
  // differs from what was noted last.
  bool Update(const scene::Scene& scene, ButtonLook look, const Letterbox& box);
  // The window lost what it showed (exposed, resized): the next frame is new.
  void Forget() { controls_.clear(); }

 private:
  // The properties of an element that the renderer draws from.
  struct ControlLook {
    Bool16 visible = kFalse;
    float left = 0, top = 0, width = 0, height = 0;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    scene::PictureRef picture = nullptr;
    std::u16string caption;
    std::uint32_t back_colour = 0;
    bool operator==(const ControlLook&) const = default;
  };

  std::vector<ControlLook> controls_;
  ButtonLook look_;
  Letterbox box_;
};

}  // namespace munyura::desktop
