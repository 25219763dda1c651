// The pads plugged in, from SDL's game controllers: opened as they come,
// closed as they go, and their buttons and left stick passed to the held
// controls, which turn them into the game's keys and clicks.
#pragma once

#include <SDL.h>

#include <map>
#include <ostream>

#include "desktop/sdl_handles.h"
#include "window_rules/held_controls.h"

namespace munyura::desktop {

class GamePads {
 public:
  using Clock = window_rules::HeldControls::Clock;

  // Starts SDL's game controllers with the player's mappings added (see
  // AddPlayerPadMappings). Without them the game plays on with the
  // keyboard, after one line on `messages`. SDL's video must have started
  // already and must outlive the pads.
  explicit GamePads(std::ostream& messages);
  ~GamePads();
  GamePads(const GamePads&) = delete;
  GamePads& operator=(const GamePads&) = delete;

  // A game controller's event: a pad plugged in or out, a button, the left
  // stick. Presses and the stick act only while the window has the focus;
  // releases always do, so that nothing stays held. Returns whether the
  // window may look different; other events do nothing.
  bool Handle(const SDL_Event& event, window_rules::HeldControls& held, bool focused,
              Clock::time_point now);

 private:
  struct Stick {
    float x = 0;
    float y = 0;
  };

  void Open(int device_index);

  bool started_ = false;
  std::map<SDL_JoystickID, GameControllerPtr> pads_;
  std::map<SDL_JoystickID, Stick> sticks_;
};

}  // namespace munyura::desktop
