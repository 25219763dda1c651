// One run of the game, from the decoding of its pictures to the closing of
// its window.
#pragma once

#include <ostream>

#include "desktop/command_line.h"
#include "desktop/window/window_loop.h"

namespace munyura::desktop {

// Decodes the pictures, builds the window's elements and Form1, creates the
// window hidden (its 60 ms clock starts there) at the remembered zoom, runs
// Form_Load, shows the window and handles its events until it is closed.
// `overrides` hold for this run only. Warnings and run-time errors go to
// `messages`. Throws StartupError (or std::runtime_error for pictures that
// will not decode) when the game cannot start.
void PlayGame(std::ostream& messages, LoopObserver& observer,
              const SettingsOverrides& overrides = {});

}  // namespace munyura::desktop
