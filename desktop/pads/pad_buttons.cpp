#include "desktop/pads/pad_buttons.h"

namespace munyura::desktop {

using window_rules::PadButton;

std::optional<PadButton> PadButtonOf(SDL_GameControllerButton button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_A:
      return PadButton::kA;
    case SDL_CONTROLLER_BUTTON_B:
      return PadButton::kB;
    case SDL_CONTROLLER_BUTTON_X:
      return PadButton::kX;
    case SDL_CONTROLLER_BUTTON_Y:
      return PadButton::kY;
    case SDL_CONTROLLER_BUTTON_BACK:
      return PadButton::kBack;
    case SDL_CONTROLLER_BUTTON_START:
      return PadButton::kStart;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
      return PadButton::kDpadUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
      return PadButton::kDpadDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
      return PadButton::kDpadLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
      return PadButton::kDpadRight;
    default:
      return std::nullopt;
  }
}

}  // namespace munyura::desktop
