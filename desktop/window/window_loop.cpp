#include "desktop/window/window_loop.h"

#include <SDL.h>

#include <algorithm>
#include <array>

#include "desktop/window/scene_renderer.h"
#include "desktop/window/virtual_keys.h"
#include "window_rules/tick_schedule.h"
#include "window_rules/window_events.h"

namespace munyura::desktop {
namespace {

using window_rules::ButtonLook;
using window_rules::WindowEvents;

// When the window loses the focus, SDL first queues the release of every key
// still held, then the focus-lost event itself. The game hears of the loss
// before those releases, so that it can tell them from a player's.
bool FocusLossWaiting() {
  std::array<SDL_Event, 32> waiting{};
  const int count = SDL_PeepEvents(waiting.data(), static_cast<int>(waiting.size()), SDL_PEEKEVENT,
                                   SDL_WINDOWEVENT, SDL_WINDOWEVENT);
  return std::any_of(waiting.begin(), waiting.begin() + std::max(count, 0), [](const SDL_Event& e) {
    return e.window.event == SDL_WINDOWEVENT_FOCUS_LOST;
  });
}

// Turns one SDL event into the game's events. Returns whether the window
// needs drawing again.
bool Dispatch(WindowEvents& events, const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const auto virtual_key = VirtualKeyOf(event.key.keysym);
      if (!virtual_key) {
        return false;
      }
      const std::int16_t shift = ShiftStateOf(event.key.keysym.mod);
      if (event.type == SDL_KEYDOWN) {
        return events.KeyDown(*virtual_key, shift);
      }
      const bool lost_focus = FocusLossWaiting() && events.FocusLost();
      return events.KeyUp(*virtual_key, shift) || lost_focus;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      if (event.button.button != SDL_BUTTON_LEFT) {
        return false;
      }
      const auto x = static_cast<float>(event.button.x);
      const auto y = static_cast<float>(event.button.y);
      return event.type == SDL_MOUSEBUTTONDOWN ? events.MousePress(x, y)
                                               : events.MouseRelease(x, y);
    }
    case SDL_MOUSEMOTION:
      return events.MouseMove(static_cast<float>(event.motion.x),
                              static_cast<float>(event.motion.y));
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
        return events.FocusLost();
      }
      return event.window.event == SDL_WINDOWEVENT_EXPOSED ||
             event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED;
    default:
      return false;
  }
}

// Once the window has been asked to close, SDL (2.26) may still have a
// wake-up message of its own on the way to it, sent over a second connection
// to the display. Destroying the window before the display has delivered it
// makes the display report an error that ends the program with status 1, so
// the loop waits for its events to fall quiet first.
void LetTheLastMessagesArrive() {
  constexpr int kQuietMilliseconds = 50;
  constexpr int kMostMessages = 100;
  SDL_Event event;
  for (int i = 0; i < kMostMessages && SDL_WaitEventTimeout(&event, kQuietMilliseconds) != 0; ++i) {
  }
}

}  // namespace

void RunWindow(Form1& form, GameWindow& window, const GamePictures& pictures,
               const CaptionFonts& fonts, LoopObserver::Clock::time_point start,
               std::ostream& errors, LoopObserver& observer) {
  using Clock = LoopObserver::Clock;
  WindowEvents events(form, errors);
  SceneRenderer renderer(window.Renderer(), pictures, fonts, window.PixelScale());
  // Timer1 ticks at its design interval from the window's creation on.
  window_rules::TickSchedule schedule(start,
                                      std::chrono::milliseconds(form.Scene().Timer1().Interval));

  events.Load();
  window.Show();
  bool needs_drawing = true;
  for (;;) {
    if (schedule.TakeDueTick(Clock::now())) {
      events.Tick();
      observer.TickRan(Clock::now());
      needs_drawing = true;
    }
    if (needs_drawing) {
      renderer.Draw(form.Scene(), events.StartButtonLook());
      SDL_RenderPresent(&window.Renderer());
      observer.FramePresented(Clock::now());
      needs_drawing = false;
    }
    SDL_Event event;
    if (SDL_WaitEventTimeout(
            &event, window_rules::MillisecondsUntil(schedule.NextDeadline(), Clock::now())) == 0) {
      continue;
    }
    // Whatever has already arrived is handled before the next frame, unless
    // the next tick falls due first.
    do {
      if (event.type == SDL_QUIT) {
        LetTheLastMessagesArrive();
        return;
      }
      needs_drawing = Dispatch(events, event) || needs_drawing;
    } while (schedule.NextDeadline() > Clock::now() && SDL_PollEvent(&event) != 0);
  }
}

}  // namespace munyura::desktop
