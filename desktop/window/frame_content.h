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

// A rectangle of the game's pixels.
struct GameArea {
  int left = 0;
  int top = 0;
  int right = 0;  // one past the last column
  int bottom = 0;
  bool Empty() const { return right <= left || bottom <= top; }
  bool operator==(const GameArea&) const = default;
};

class FrameContent {
 public:
  // Notes what a frame of this scene would show; returns whether that
  // differs from what was noted last.
  bool Update(const scene::Scene& scene, ButtonLook look, const Letterbox& box);
  // The window lost what it showed (exposed, resized): the next frame is new.
  void Forget() { controls_.clear(); }
  // Where the last Update found a difference: every pixel outside it is as
  // it was. The whole game after a Forget, a new letterbox, or at a
  // fractional scale.
  const GameArea& ChangedArea() const { return changed_; }

 private:
  // The properties of an element that the renderer draws from.
  struct ControlLook {
    Bool16 visible = kFalse;
    float left = 0, top = 0, width = 0, height = 0;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    scene::PictureRef picture = nullptr;
    std::u16string caption;
    std::uint32_t back_colour = 0;
    bool line = false;
    bool operator==(const ControlLook&) const = default;
  };

  static GameArea AreaOf(const ControlLook& control);
  void Include(const GameArea& area);

  std::vector<ControlLook> controls_;
  ButtonLook look_;
  Letterbox box_;
  GameArea changed_;
};

}  // namespace munyura::desktop
