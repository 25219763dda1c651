// The game's window: its state, its elements and the event handlers the
// platform calls, one event at a time, each run to its end.
//
// Form1 is a value: a copy carries the whole game on from the same moment,
// sharing only the host it reports to.
#pragma once

#include <cstdint>

#include "game_state.h"
#include "host.h"
#include "scene/scene.h"

namespace munyura {

class Form1 {
 public:
  Form1(const scene::PictureSet& pictures, Host& host);

  // Raised once before the window is first shown, and again by the restart.
  void Form_Load();
  // The start button.
  void Command1_Click();
  // The restart label.
  void Label2_Click();
  // KeyCode is the virtual-key code; Shift is ignored: letters act the same
  // with or without it.
  void Form_KeyDown(std::int16_t KeyCode, std::int16_t Shift);
  void Form_KeyUp(std::int16_t KeyCode, std::int16_t Shift);
  // Every 60 ms from the window's creation.
  void Timer1_Timer();

  const GameState& State() const noexcept { return state_; }
  const scene::Scene& Scene() const noexcept { return scene_; }

 private:
  GameState state_;
  scene::Scene scene_;
  Host* host_;  // not owned; outlives every copy of the window
};

}  // namespace munyura
