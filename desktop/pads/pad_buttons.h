// SDL's names for a pad's buttons, by their place on the pad (A is the
// lower face button whatever it is labelled), as the shared pad table
// numbers them.
#pragma once

#include <SDL.h>

#include <optional>

#include "window_rules/control_mapping.h"

namespace munyura::desktop {

// Nothing for the buttons the game does not use (shoulders, sticks, guide).
std::optional<window_rules::PadButton> PadButtonOf(SDL_GameControllerButton button);

}  // namespace munyura::desktop
