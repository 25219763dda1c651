// The game's event loop: one event at a time, each handler run to its end,
// Timer1_Timer every 60 ms on a fixed schedule, and the window redrawn when
// what it shows has changed. Between events and ticks it sleeps.
#pragma once

#include <chrono>
#include <ostream>

#include "desktop/pads/game_pads.h"
#include "desktop/pictures/game_pictures.h"
#include "desktop/text/caption_fonts.h"
#include "desktop/window/game_window.h"
#include "desktop/window/window_controls.h"
#include "desktop/window/window_view.h"
#include "form1.h"

namespace munyura::desktop {

// Told what the loop does and when; the game itself watches nothing, a bench
// program watches the schedule it keeps, a test program what the game does.
class LoopObserver {
 public:
  using Clock = std::chrono::steady_clock;
  virtual ~LoopObserver() = default;
  // `form` as the tick left it.
  virtual void TickRan(Clock::time_point /*when*/, const Form1& /*form*/) {}
  virtual void FramePresented(Clock::time_point /*when*/) {}
};

// Runs Form_Load, shows the window and handles its events until it is
// closed. `start` is the window's creation: the clock counts from there.
// Run-time errors of the game's handlers are reported on `errors`. The
// window's own keys go to `controls`, never to the game; `view` places the
// game in the window. The pads' buttons and sticks reach the game through
// the shared held controls, and the letter picker is drawn over the scene
// while it is open.
void RunWindow(Form1& form, GameWindow& window, const GamePictures& pictures,
               const CaptionFonts& fonts, LoopObserver::Clock::time_point start,
               std::ostream& errors, LoopObserver& observer, const WindowView& view,
               WindowControls& controls, GamePads& pads);

}  // namespace munyura::desktop
