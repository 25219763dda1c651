#include "desktop/pads/game_pads.h"

#include "desktop/pads/pad_buttons.h"
#include "desktop/pads/pad_mappings.h"
#include "desktop/pads/pad_texts.h"
#include "window_rules/pointed_directions.h"

namespace munyura::desktop {
namespace {

// A stick's axis from SDL's -32768 ... 32767 to -1 ... 1.
float AxisFraction(Sint16 value) {
  return static_cast<float>(value) / 32767.0F;
}

}  // namespace

GamePads::GamePads(std::ostream& messages) {
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    messages << pad_texts::NoPads(SDL_GetError()) << '\n';
    return;
  }
  started_ = true;
  // The pads already plugged in arrive as added events, so they are opened
  // after the mappings are in.
  AddPlayerPadMappings(messages);
}

GamePads::~GamePads() {
  pads_.clear();
  if (started_) {
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  }
}

void GamePads::Open(int device_index) {
  GameControllerPtr pad(SDL_GameControllerOpen(device_index));
  if (!pad) {
    return;  // a joystick SDL has no mapping for: not a pad the game can read
  }
  const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad.get()));
  // Opening a pad already open only counts it twice; the second is let go.
  pads_.try_emplace(id, std::move(pad));
}

bool GamePads::Handle(const SDL_Event& event, window_rules::HeldControls& held, bool focused,
                      Clock::time_point now) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
      Open(event.cdevice.which);
      return false;
    case SDL_CONTROLLERDEVICEREMOVED: {
      const SDL_JoystickID id = event.cdevice.which;
      pads_.erase(id);
      sticks_.erase(id);
      return held.Unplug(id);
    }
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
      const auto button = PadButtonOf(static_cast<SDL_GameControllerButton>(event.cbutton.button));
      if (!button) {
        return false;
      }
      if (event.type == SDL_CONTROLLERBUTTONUP) {
        return held.ReleasePadButton(event.cbutton.which, *button);
      }
      return focused && held.PressPadButton(event.cbutton.which, *button, now);
    }
    case SDL_CONTROLLERAXISMOTION: {
      const auto axis = static_cast<SDL_GameControllerAxis>(event.caxis.axis);
      if (axis != SDL_CONTROLLER_AXIS_LEFTX && axis != SDL_CONTROLLER_AXIS_LEFTY) {
        return false;
      }
      Stick& stick = sticks_[event.caxis.which];
      (axis == SDL_CONTROLLER_AXIS_LEFTX ? stick.x : stick.y) = AxisFraction(event.caxis.value);
      // Where the stick points matters only with the focus; the next move
      // after the focus comes back presses again.
      return focused && held.PointDirections(event.caxis.which,
                                             window_rules::DirectionsFromVector(
                                                 stick.x, stick.y, window_rules::kStickDeadZone),
                                             now);
    }
    default:
      return false;
  }
}

}  // namespace munyura::desktop
